#pragma once

#include <QByteArray>
#include <QString>

namespace kanatsumugi {

// Conversion between the edit box's Unicode and the Shift-JIS (code page 932)
// bytes that the generator and the stock hold.
QString fromShiftJis(const QByteArray& shiftJis);

// The first character of `text` that code page 932 cannot hold, or an empty
// string when every character converts and converts back unchanged.
QString firstCharacterOutsideShiftJis(const QString& text);

// `text` as Shift-JIS; raises AppError naming the first character that code
// page 932 cannot hold instead of writing a replacement character.
QByteArray toShiftJisForStock(const QString& text);

} // namespace kanatsumugi
