#pragma once

#include <QStringView>

#include <cstdint>
#include <optional>

namespace kanatsumugi {

// The spin box's two rules on its text: which typed characters may go in, and what
// number the text stands for. Neither judges the other's way.

// Whether typed text may go into the spin box: each character is "0" to "9", "+", "-",
// the locale's decimal separator, or a control character other than carriage return.
// The text as a whole is not judged, so "+-+" passes. Empty text passes.
bool isAcceptedSpinInput(QStringView typed, QStringView decimalPoint);

// Converts a spin box text to a signed 32-bit number. Leading blanks (space, tab) are
// skipped; then come either an optional "+" or "-" and decimal digits, or a hexadecimal
// number after "$", "x" or "0x" (either case of x), read as a 32-bit pattern so that
// "$FFFFFFFF" is -1. Empty text, a lone sign or prefix, any stray character (trailing
// blanks included) and numbers that need more than 32 bits give nullopt.
std::optional<std::int32_t> parseSpinText(QStringView text);

} // namespace kanatsumugi
