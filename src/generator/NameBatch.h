#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kanatsumugi {

class KanaTables;

// A name as inventory indices, held without allocating.
struct KanaIndexName {
    // The longest fixed length makeNames accepts; a closing small kana brings its
    // partner along, so a name holds at most one kana more.
    static constexpr std::int32_t kMaxLength = 8;
    static constexpr int kCapacity = kMaxLength + 1;
    std::array<std::uint8_t, kCapacity> kana{}; // entries past `count` are 0
    int count = 0;

    // The indices as a byte string, for searching.
    [[nodiscard]] std::string_view indices() const {
        return {reinterpret_cast<const char*>(kana.data()), static_cast<std::size_t>(count)};
    }
};

// The names the window would make at the clock readings firstReading,
// firstReading + 1, ... (milliseconds since UTC midnight, wrapping at midnight),
// one for each element of `names`. `fixedLength` is the -l value; anything but 2 to
// kMaxLength raises AppError.
void makeNames(const KanaTables& tables, std::optional<std::int32_t> fixedLength,
               std::uint32_t firstReading, std::span<KanaIndexName> names);

// The reading `steps` milliseconds after `reading`, wrapped at midnight.
std::uint32_t readingAfter(std::uint32_t reading, std::uint64_t steps);

} // namespace kanatsumugi
