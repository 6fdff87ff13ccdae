#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kanatsumugi {

class KanaTables;

// A name as inventory indices, held without allocating. Nine kana cover every
// length from 2 to 8, since a closing small kana brings its partner along.
struct KanaIndexName {
    static constexpr int kCapacity = 9;
    std::array<std::uint8_t, kCapacity> kana{}; // entries past `count` are 0
    int count = 0;

    // The indices as a byte string, for searching.
    [[nodiscard]] std::string_view indices() const {
        return {reinterpret_cast<const char*>(kana.data()), static_cast<std::size_t>(count)};
    }
};

// The names the window would make at the clock readings firstReading,
// firstReading + 1, ... (milliseconds since UTC midnight, wrapping at midnight),
// one for each element of `names`. `fixedLength` is the -l value, 2 to 8, as the
// command line has checked it.
void makeNames(const KanaTables& tables, std::optional<std::int32_t> fixedLength,
               std::uint32_t firstReading, std::span<KanaIndexName> names);

} // namespace kanatsumugi
