#include "stock/StockText.h"

#include <cstring>

namespace kanatsumugi {

namespace {

constexpr char kCrLf[] = "\r\n";

const char* find(const char* from, const char* end, char byte) {
    if (from == end) {
        return nullptr;
    }
    return static_cast<const char*>(std::memchr(from, byte, static_cast<size_t>(end - from)));
}

// Every line ends in CR LF and no CR or LF stands alone. Names are short, so a search per
// line costs more than the file's read; that is why loading never checks, only stocking.
bool isInStockFormat(QByteArrayView text) {
    const char* const end = text.data() + text.size();
    for (const char* lineStart = text.data(); lineStart != end;) {
        const char* lf = find(lineStart, end, '\n');
        if (lf == nullptr || lf == lineStart || lf[-1] != '\r' ||
            find(lineStart, lf - 1, '\r') != nullptr) {
            return false;
        }
        lineStart = lf + 1;
    }
    return true;
}

// Calls `take` with each entry in order.
template <typename Take> void forEachEntry(QByteArrayView text, Take take) {
    const char* const data = text.data();
    const qsizetype end = text.size();
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < end; ++i) {
        if (data[i] != '\r' && data[i] != '\n') {
            continue;
        }
        take(text.sliced(lineStart, i - lineStart));
        if (data[i] == '\r' && i + 1 < end && data[i + 1] == '\n') {
            ++i;
        }
        lineStart = i + 1;
    }
    if (lineStart < end) {
        take(text.sliced(lineStart));
    }
}

} // namespace

QByteArrayView stockTextOf(QByteArrayView fileBytes) {
    const char* nul = find(fileBytes.data(), fileBytes.data() + fileBytes.size(), '\0');
    return nul == nullptr ? fileBytes : fileBytes.first(nul - fileBytes.data());
}

QList<QByteArray> parseStockEntries(QByteArrayView fileBytes) {
    QList<QByteArray> entries;
    forEachEntry(stockTextOf(fileBytes),
                 [&](QByteArrayView entry) { entries.append(entry.toByteArray()); });
    return entries;
}

QByteArray inStockFormat(QByteArray fileBytes) {
    const QByteArrayView text = stockTextOf(fileBytes);
    if (isInStockFormat(text)) {
        fileBytes.truncate(text.size());
        return fileBytes;
    }
    QByteArray formatted;
    formatted.reserve(text.size() + text.size() / 8 + 2);
    forEachEntry(text, [&](QByteArrayView entry) { formatted.append(entry).append(kCrLf); });
    return formatted;
}

} // namespace kanatsumugi
