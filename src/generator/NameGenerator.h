#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kanatsumugi {

class KanaTables;
class RandomSource;

// One generated name and the length that was aimed at.
struct GeneratedName {
    std::int32_t targetLength = 0;
    std::string shiftJis; // two bytes per kana, 2 to 9 kana (empty for a length of 0 or less)
};

// Draws one name from a freshly seeded random source. The random length is always
// drawn first; `fixedLength`, when given, then replaces it unclamped.
GeneratedName makeName(const KanaTables& tables, RandomSource& random,
                       std::optional<std::int32_t> fixedLength);

} // namespace kanatsumugi
