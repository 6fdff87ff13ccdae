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

QByteArray inStockFormat(QByteArrayView fileBytes) {
    const QByteArrayView text = stockTextOf(fileBytes);
    QByteArray formatted;
    formatted.reserve(text.size() + text.size() / 8 + 2);
    forEachEntry(text, [&](QByteArrayView entry) { formatted.append(entry).append(kCrLf); });
    return formatted;
}

} // namespace kanatsumugi
