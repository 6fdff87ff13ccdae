#pragma once

#include <QStringView>

#include <cstdint>
#include <optional>

namespace kanatsumugi {

// Converts a spin box text to a signed 32-bit number. Leading blanks (space, tab) are
// skipped; then come either an optional "+" or "-" and decimal digits, or a hexadecimal
// number after "$", "x" or "0x" (either case of x), read as a 32-bit pattern so that
// "$FFFFFFFF" is -1. Empty text, a lone sign or prefix, any stray character (trailing
// blanks included) and numbers that need more than 32 bits give nullopt.
std::optional<std::int32_t> parseSpinText(QStringView text);

} // namespace kanatsumugi
