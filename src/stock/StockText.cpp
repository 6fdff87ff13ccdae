#include "stock/StockText.h"

namespace kanatsumugi {

QByteArrayView stockTextOf(QByteArrayView fileBytes) {
    const qsizetype nul = fileBytes.indexOf('\0');
    return nul < 0 ? fileBytes : fileBytes.first(nul);
}

QList<QByteArray> parseStockEntries(QByteArrayView fileBytes) {
    const QByteArrayView text = stockTextOf(fileBytes);
    QList<QByteArray> entries;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            continue;
        }
        entries.append(text.sliced(lineStart, i - lineStart).toByteArray());
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        lineStart = i + 1;
    }
    if (lineStart < text.size()) {
        entries.append(text.sliced(lineStart).toByteArray());
    }
    return entries;
}

} // namespace kanatsumugi
