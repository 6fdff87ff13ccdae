#include "stock/StockText.h"

#include <cstring>

namespace kanatsumugi {

namespace {

constexpr char kCrLf[] = "\r\n";

bool isBreak(char c) {
    return c == '\r' || c == '\n';
}

bool holdsBreakOrNul(const QByteArray& entry) {
    for (const char c : entry) {
        if (isBreak(c) || c == '\0')
            return true;
    }
    return false;
}

} // namespace

StockText StockText::fromFileBytes(QByteArray bytes) {
    const CrLfScan scan = scanCrLf(bytes.constData(), bytes.size());
    return fromFileBytes(std::move(bytes), scan);
}

StockText StockText::fromFileBytes(QByteArray bytes, const CrLfScan& scan) {
    if (!scan.inStockFormat)
        return reformat(bytes);
    bytes.truncate(scan.textEnd);
    return StockText(std::move(bytes), scan.lineCount);
}

// The slow road, for files another program wrote.
StockText StockText::reformat(const QByteArray& bytes) {
    const char* data = bytes.constData();
    const void* nul = std::memchr(data, '\0', static_cast<size_t>(bytes.size()));
    const qsizetype end = nul ? static_cast<const char*>(nul) - data : bytes.size();
    StockText text;
    text.bytes_.reserve(end + end / 8 + 2);
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < end; ++i) {
        if (!isBreak(data[i]))
            continue;
        text.bytes_.append(data + lineStart, i - lineStart).append(kCrLf);
        ++text.count_;
        if (data[i] == '\r' && i + 1 < end && data[i + 1] == '\n')
            ++i;
        lineStart = i + 1;
    }
    if (lineStart < end) {
        text.bytes_.append(data + lineStart, end - lineStart).append(kCrLf);
        ++text.count_;
    }
    return text;
}

QList<QByteArray> StockText::entries() const {
    QList<QByteArray> result;
    result.reserve(count_);
    const char* data = bytes_.constData();
    qsizetype lineStart = 0;
    while (lineStart < bytes_.size()) {
        const auto* cr = static_cast<const char*>(
            std::memchr(data + lineStart, '\r', static_cast<size_t>(bytes_.size() - lineStart)));
        const qsizetype lineEnd = cr - data;
        result.append(QByteArray(data + lineStart, lineEnd - lineStart));
        lineStart = lineEnd + 2;
    }
    return result;
}

void StockText::append(const QByteArray& entry) {
    if (holdsBreakOrNul(entry)) {
        *this = reformat(bytes_ + entry + kCrLf);
        return;
    }
    bytes_.append(entry).append(kCrLf);
    ++count_;
}

} // namespace kanatsumugi
