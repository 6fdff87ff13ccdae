#include "generator/NameBatch.h"

#include "apperror/AppError.h"
#include "generator/KanaTables.h"
#include "generator/NameGenerator.h"
#include "generator/RandomSource.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace kanatsumugi;

namespace {

// A batch holds the window's names, reading after reading, across midnight and at
// every length setting.
TEST(MakeNames, AreTheWindowsNamesAtConsecutiveReadings) {
    const KanaTables tables = KanaTables::build();
    std::vector<KanaIndexName> names(3000);
    for (const std::uint32_t first : {kMillisecondsPerDay - 1000, 45296789u}) {
        for (std::int32_t setting = 1; setting <= 8; ++setting) {
            const std::optional<std::int32_t> fixed =
                setting == 1 ? std::nullopt : std::optional<std::int32_t>(setting);
            makeNames(tables, fixed, first, names);
            for (std::size_t i = 0; i < names.size(); ++i) {
                RandomSource random;
                random.setSeed(static_cast<std::uint32_t>((first + i) % kMillisecondsPerDay));
                const GeneratedName expected = makeName(tables, random, fixed);
                std::string shiftJis;
                for (const char index : names[i].indices()) {
                    shiftJis += tables.kana(static_cast<std::uint8_t>(index));
                }
                ASSERT_EQ(shiftJis, expected.shiftJis) << first + i << " at length " << setting;
                for (auto k = static_cast<std::size_t>(names[i].count);
                     k < KanaIndexName::kCapacity; ++k) {
                    ASSERT_EQ(names[i].kana[k], 0) << "unused entries are 0";
                }
            }
        }
    }
}

// A length the batch cannot hold is refused before a single kana is written.
TEST(MakeNames, RefuseALengthTheirNamesCannotHold) {
    const KanaTables tables = KanaTables::build();
    std::vector<KanaIndexName> names(1);
    for (const std::int32_t length : {1, 9, -1}) {
        EXPECT_THROW(makeNames(tables, length, 0, names), AppError) << length;
    }
}

} // namespace
