#pragma once

#include <QByteArray>
#include <QString>

namespace kanatsumugi {

// Conversion between the name box's Unicode and the Shift-JIS (code page 932)
// bytes that the generator and the stock hold.
QString fromShiftJis(const QByteArray& shiftJis);

// `text` kept to one line: line and paragraph breaks and NUL become spaces. A break would
// split a stocked name into two entries of the stock file, and a NUL would end it there.
QString oneLine(const QString& text);

// `text` as Shift-JIS; raises AppError naming the first character that code
// page 932 cannot hold instead of writing a replacement character.
QByteArray toShiftJisForStock(const QString& text);

} // namespace kanatsumugi
