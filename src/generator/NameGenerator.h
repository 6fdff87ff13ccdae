#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
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

// A name as inventory indices, held without allocating. Nine kana cover every
// length from 2 to 8, since a closing small kana brings its partner along.
struct KanaIndexName {
    static constexpr int kCapacity = 9;
    std::array<std::uint8_t, kCapacity> kana{}; // entries past `count` are 0
    int count = 0;
};

// The same draw as makeName, for the lengths the window can ask for: `fixedLength`,
// when given, must be 2 to 8, else AppError is raised before anything is drawn.
// Returns the target length.
std::int32_t makeKanaIndexName(const KanaTables& tables, RandomSource& random,
                               std::optional<std::int32_t> fixedLength, KanaIndexName& name);

// The names the window would make at the clock readings firstReading,
// firstReading + 1, ... (milliseconds since UTC midnight, wrapping at midnight),
// one for each element of `names`. `fixedLength` as for makeKanaIndexName.
void makeKanaIndexNames(const KanaTables& tables, std::optional<std::int32_t> fixedLength,
                        std::uint32_t firstReading, std::span<KanaIndexName> names);

} // namespace kanatsumugi
