#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace kanatsumugi {

// The stock file's reading rules: a break is CR LF, a lone CR or a lone LF; a last line
// without a break is still an entry; reading stops at the first NUL; no code-page conversion
// and no trimming. Qt Core only, so that any tool can read a stock file as the program does.
QList<QByteArray> parseStockEntries(QByteArrayView fileBytes);

// The part of a stock file's bytes that is read: everything before the first NUL.
QByteArrayView stockTextOf(QByteArrayView fileBytes);

} // namespace kanatsumugi
