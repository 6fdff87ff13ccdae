#pragma once

#include "generator/NameGenerator.h"
#include "generator/RandomSource.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kanatsumugi {

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
    // Beats as Japanese counts them: a small kana belongs to the kana before it.
    [[nodiscard]] int morae() const {
        int morae = count;
        for (const std::uint8_t index : std::span(kana).first(static_cast<std::size_t>(count))) {
            morae -= KanaTables::isSmall(index) ? 1 : 0;
        }
        return morae;
    }
};

// The reading `steps` milliseconds after `reading`, wrapped at midnight.
std::uint32_t readingAfter(std::uint32_t reading, std::uint64_t steps);

// Raises AppError unless `fixedLength` (the -l value) is unset or 2 to kMaxLength.
void checkBatchLength(std::optional<std::int32_t> fixedLength);

// The names the window would make at the clock readings firstReading,
// firstReading + 1, ... (milliseconds since UTC midnight, wrapping at midnight), one for
// each element of `names`, each kana handed to `onKana` as it is drawn and each name to
// `onName` when it is whole, so that a caller can work on a name while the drawing goes
// on. `fixedLength` is the -l value; anything but 2 to kMaxLength raises AppError.
template <typename OnKana, typename OnName>
void makeNames(const KanaTables& tables, std::optional<std::int32_t> fixedLength,
               std::uint32_t firstReading, std::span<KanaIndexName> names, OnKana&& onKana,
               OnName&& onName) {
    checkBatchLength(fixedLength);
    RandomSource random;
    std::uint32_t reading = firstReading % kMillisecondsPerDay;
    for (KanaIndexName& name : names) {
        random.setSeed(reading);
        // Writes straight into `name`: gathering the kana in a local array and copying
        // it whole would read back bytes still in the store buffer, a stall on every name.
        name.kana = {};
        std::size_t count = 0;
        drawName(tables, random, fixedLength, [&](int index) {
            name.kana[count++] = static_cast<std::uint8_t>(index);
            onKana(index);
        });
        name.count = static_cast<int>(count);
        onName(name);
        reading = readingAfter(reading, 1);
    }
}

// The same, the names only.
void makeNames(const KanaTables& tables, std::optional<std::int32_t> fixedLength,
               std::uint32_t firstReading, std::span<KanaIndexName> names);

} // namespace kanatsumugi
