#pragma once

#include <QStringView>

namespace kanatsumugi {

// Whether typed text may go into the spin box: each character is "0" to "9", "+", "-",
// the locale's decimal separator, or a control character other than carriage return.
// The text as a whole is not judged, so "+-+" passes. Empty text passes.
bool isAcceptedSpinInput(QStringView typed, QStringView decimalPoint);

} // namespace kanatsumugi
