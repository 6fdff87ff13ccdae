#include "generator/NameGenerator.h"

#include "apperror/AppError.h"
#include "generator/KanaTables.h"
#include "generator/RandomSource.h"
#include "support/Cp932.h"
#include "support/FixedClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

using namespace kanatsumugi;

namespace {

GeneratedName nameAt(const KanaTables& tables, TimeOfDay reading,
                     std::optional<std::int32_t> fixedLength = std::nullopt) {
    RandomSource random;
    random.SeedFromClock(test::FixedClock(reading));
    return makeName(tables, random, fixedLength);
}

GeneratedName nameForSeed(const KanaTables& tables, std::uint32_t seed,
                          std::optional<std::int32_t> fixedLength = std::nullopt) {
    RandomSource random;
    random.setSeed(seed);
    return makeName(tables, random, fixedLength);
}

// Splits Shift-JIS bytes back into inventory indices.
class KanaDecoder {
public:
    explicit KanaDecoder(const KanaTables& tables)
        : indexOf_(65536, -1) {
        for (int i = 0; i < tables.inventoryCount(); ++i) {
            indexOf_[codeOf(tables.kana(i), 0)] = i;
        }
    }

    std::vector<int> operator()(const std::string& shiftJis) const {
        EXPECT_EQ(shiftJis.size() % 2, 0u);
        std::vector<int> indices;
        for (std::size_t at = 0; at + 1 < shiftJis.size(); at += 2) {
            indices.push_back(indexOf_[codeOf(shiftJis, at)]);
            EXPECT_GE(indices.back(), 0) << "not a kana of the inventory";
        }
        return indices;
    }

private:
    static std::size_t codeOf(const std::string& bytes, std::size_t at) {
        return static_cast<unsigned char>(bytes[at]) * 256u +
               static_cast<unsigned char>(bytes[at + 1]);
    }

    std::vector<int> indexOf_;
};

bool isSmallKana(int index) {
    return index >= 51 && index <= 58;
}

struct WorkedExample {
    TimeOfDay reading;
    std::optional<std::int32_t> fixedLength;
    const char* expectedUtf8;
    std::int32_t expectedTarget;
};

const WorkedExample kWorkedExamples[] = {
    {{12, 34, 56, 789}, std::nullopt, "チリイヂヨ", 5},
    {{12, 34, 56, 789}, 8, "チリイヂヨキヴベ", 8},
    {{0, 0, 0, 0}, std::nullopt, "イスィ", 2},
    {{23, 59, 59, 999}, std::nullopt, "ラソコカバァズ", 7},
    {{23, 59, 59, 999}, 8, "ラソコカバァズカァ", 8},
};

TEST(MakeName, ReproducesEveryWorkedExample) {
    const KanaTables tables = KanaTables::build();
    for (const WorkedExample& example : kWorkedExamples) {
        const GeneratedName name = nameAt(tables, example.reading, example.fixedLength);
        EXPECT_EQ(name.shiftJis, test::utf8ToCp932(example.expectedUtf8)) << example.expectedUtf8;
        EXPECT_EQ(name.targetLength, example.expectedTarget) << example.expectedUtf8;
    }
}

TEST(MakeName, FirstDrawOfTheLastMillisecondIsRejected) {
    RandomSource random;
    random.setSeed(86399999);
    EXPECT_EQ(random.NextBelow(7) + 2, 7);
    EXPECT_EQ(random.NextBelow(61), 60); // ー may not start a name
    const GeneratedName name = nameForSeed(KanaTables::build(), 86399999);
    EXPECT_EQ(name.shiftJis.substr(0, 2), test::utf8ToCp932("ラ"));
}

TEST(MakeName, LengthOfZeroOrLessGivesAnEmptyNameAfterOneDraw) {
    const KanaTables tables = KanaTables::build();
    for (const std::int32_t length : {0, -1, -8, std::numeric_limits<std::int32_t>::min()}) {
        RandomSource random;
        random.setSeed(45296789);
        const GeneratedName name = makeName(tables, random, length);
        EXPECT_EQ(name.shiftJis, "") << length;
        EXPECT_EQ(name.targetLength, length);
        RandomSource lengthDrawOnly;
        lengthDrawOnly.setSeed(45296789);
        (void)lengthDrawOnly.NextBelow(7);
        EXPECT_EQ(random.seed(), lengthDrawOnly.seed()) << "only the length draw is made";
    }
}

TEST(MakeName, FixedLengthKeepsTheLeadingKana) {
    const KanaTables tables = KanaTables::build();
    for (std::uint32_t seed = 1000; seed < 3000; seed += 7) {
        const GeneratedName free = nameForSeed(tables, seed);
        const GeneratedName fixed = nameForSeed(tables, seed, 8);
        // Up to the free length, both consume the same draws.
        const std::size_t common = std::min(free.shiftJis.size(), fixed.shiftJis.size());
        const std::size_t sure = static_cast<std::size_t>(free.targetLength - 1) * 2;
        ASSERT_GE(common, sure);
        EXPECT_EQ(free.shiftJis.substr(0, sure), fixed.shiftJis.substr(0, sure)) << seed;
    }
}

TEST(MakeName, FixedLengthIsNotClamped) {
    const GeneratedName name = nameForSeed(KanaTables::build(), 4242, 40);
    EXPECT_GE(name.shiftJis.size(), 80u);
    EXPECT_LE(name.shiftJis.size(), 82u);
    EXPECT_EQ(name.targetLength, 40);
}

void expectPairingRules(const KanaTables& tables, const std::vector<int>& kana, std::int32_t target,
                        std::uint32_t seed) {
    ASSERT_FALSE(kana.empty()) << "seed " << seed;
    EXPECT_LT(kana.front(), 51) << "seed " << seed << " starts with " << kana.front();
    const int length = static_cast<int>(kana.size());
    EXPECT_GE(length, 2) << "seed " << seed;
    EXPECT_LE(length, 9) << "seed " << seed;
    if (length != target) {
        EXPECT_EQ(length, target + 1) << "seed " << seed;
        EXPECT_TRUE(isSmallKana(kana.back()))
            << "overlong without a closing small kana, seed " << seed;
    }
    for (int p = 1; p < length; ++p) {
        if (!isSmallKana(kana[static_cast<std::size_t>(p)])) {
            continue;
        }
        const TIntList& partners = tables.tableFor(kana[static_cast<std::size_t>(p)]);
        bool found = false;
        for (int k = 0; k < partners.Count(); ++k) {
            found = found || partners[k] == kana[static_cast<std::size_t>(p - 1)];
        }
        EXPECT_TRUE(found) << "small kana at " << p << " without its partner, seed " << seed;
    }
}

TEST(MakeName, KeepsThePairingRulesOverManySeeds) {
    const KanaTables tables = KanaTables::build();
    const KanaDecoder indicesOf(tables);
    std::vector<std::uint32_t> seeds;
    for (std::uint32_t seed = 0; seed < 20000; ++seed) {
        seeds.push_back(seed);
    }
    for (std::uint32_t seed = 20000; seed < kMillisecondsPerDay; seed += 4099) {
        seeds.push_back(seed);
    }
    for (const std::uint32_t seed : seeds) {
        for (std::int32_t length = 1; length <= 8; ++length) {
            const std::optional<std::int32_t> fixed =
                length == 1 ? std::nullopt : std::optional<std::int32_t>(length);
            const GeneratedName name = nameForSeed(tables, seed, fixed);
            expectPairingRules(tables, indicesOf(name.shiftJis), name.targetLength, seed);
            if (::testing::Test::HasFailure()) {
                return;
            }
        }
    }
}

TEST(MakeName, TsuBeforeSmallUIsDrawnTwiceAsOften) {
    const KanaTables tables = KanaTables::build();
    const KanaDecoder indicesOf(tables);
    std::array<int, 61> before{};
    for (std::uint32_t seed = 0; seed < 300000; ++seed) {
        const std::vector<int> kana = indicesOf(nameForSeed(tables, seed).shiftJis);
        for (std::size_t p = 1; p < kana.size(); ++p) {
            if (kana[p] == 53) {
                ++before[static_cast<std::size_t>(kana[p - 1])];
            }
        }
    }
    const double tsu = before[17];
    double others = 0;
    for (const int partner : {2, 7, 12, 14, 19, 22, 26, 33, 38, 40, 43, 48}) {
        ASSERT_GT(before[static_cast<std::size_t>(partner)], 0) << partner;
        others += before[static_cast<std::size_t>(partner)];
    }
    const double ratio = tsu / (others / 12);
    EXPECT_GT(ratio, 1.7);
    EXPECT_LT(ratio, 2.3);
}

} // namespace
