#include "generator/KanaTables.h"

#include "apperror/AppError.h"
#include "generator/KLists.h"
#include "support/Cp932.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace kanatsumugi;

namespace {

// The whole alphabet in index order, typed as text and converted by iconv.
const std::string kInventoryText = "アイウエオカキクケコサシスセソタチツテトラリルレロヤユヨワンヴ"
                                   "ガギグゲゴザジズゼゾダヂヅデドバビブベボ"
                                   "ァィゥェォャュョッー";

std::vector<int> entriesOf(const TIntList& list) {
    std::vector<int> entries;
    for (int i = 0; i < list.Count(); ++i) {
        entries.push_back(list.Items(i));
    }
    return entries;
}

TEST(KanaInventory, HoldsTheSixtyOneKanaInOrderAsShiftJisAndUtf8) {
    const KanaTables tables = KanaTables::build();
    const std::string expected = test::utf8ToCp932(kInventoryText);
    ASSERT_EQ(expected.size(), 122u);
    ASSERT_EQ(tables.inventoryCount(), 61);
    for (int i = 0; i < 61; ++i) {
        EXPECT_EQ(tables.kana(i), expected.substr(static_cast<std::size_t>(i) * 2, 2))
            << "inventory index " << i;
        EXPECT_EQ(std::string(tables.kanaUtf8(i)), test::cp932ToUtf8(tables.kana(i)))
            << "inventory index " << i;
    }
}

TEST(KanaInventory, OnlyTheFirstFiftyOneMayStartAName) {
    const KanaTables tables = KanaTables::build();
    EXPECT_EQ(tables.initialCount(), 51);
}

struct PairingCase {
    int smallKana;
    std::vector<int> entries;
};

TEST(PairingTables, HoldTheirEntriesInDrawingOrder) {
    const std::vector<int> a = {2,  7,  12, 17, 22, 0,  5,  10, 15, 20, 25,
                                28, 30, 31, 33, 35, 36, 41, 43, 46, 50};
    const std::vector<int> i = {2, 12, 17, 30, 32, 37, 42, 43, 47};
    const std::vector<int> u = {2, 7, 17, 12, 14, 17, 19, 22, 26, 33, 38, 40, 43, 48};
    const std::vector<int> e = {1,  2,  5,  8,  11, 12, 13, 16, 17, 18, 23,
                                30, 32, 34, 38, 39, 42, 43, 44, 45, 49, 50};
    const std::vector<int> o = {2, 7, 9, 12, 14, 17, 19, 24, 27, 30, 35, 38, 40, 43, 45, 48, 50};
    const std::vector<int> y = {6, 11, 16, 17, 21, 32, 37, 42, 43, 47};
    const PairingCase cases[] = {{51, a}, {52, i}, {53, u}, {54, e},
                                 {55, o}, {56, y}, {57, y}, {58, y}};

    const KanaTables tables = KanaTables::build();
    for (const PairingCase& c : cases) {
        EXPECT_EQ(entriesOf(tables.tableFor(c.smallKana)), c.entries)
            << "small kana " << c.smallKana;
    }
}

TEST(PairingTables, EveryPartnerMayStartAName) {
    const KanaTables tables = KanaTables::build();
    for (int smallKana = 51; smallKana <= 58; ++smallKana) {
        for (const int entry : entriesOf(tables.tableFor(smallKana))) {
            EXPECT_GE(entry, 0);
            EXPECT_LT(entry, tables.initialCount()) << "in the table for " << smallKana;
        }
    }
}

TEST(KanaTables, ACopyOutlivesItsOriginal) {
    auto original = std::make_unique<KanaTables>(KanaTables::build());
    const KanaTables copy = *original;
    original.reset();
    EXPECT_EQ(copy.kana(29), test::utf8ToCp932("ン"));
    EXPECT_EQ(copy.tableFor(53).Count(), 14);
    EXPECT_EQ(copy.tableFor(58).Items(9), 47);
}

TEST(KanaTables, IndexOfFindsAKanaInEitherEncoding) {
    const KanaTables tables = KanaTables::build();
    for (int i = 0; i < tables.inventoryCount(); ++i) {
        EXPECT_EQ(tables.indexOf(tables.kana(i)), i);
        EXPECT_EQ(tables.indexOf(tables.kanaUtf8(i)), i);
    }
    EXPECT_EQ(tables.kanaUtf8(KanaTables::kN), "ン");
    EXPECT_EQ(tables.kanaUtf8(KanaTables::kSmallTsu), "ッ");
    EXPECT_EQ(tables.kanaUtf8(KanaTables::kLongVowel), "ー");
    for (const char* absent : {"ナ", "ヰ", "\x83\x69", "", "ア "}) {
        EXPECT_EQ(tables.indexOf(absent), -1) << absent;
    }
}

TEST(OutOfRangeReads, RaiseTheProgramsError) {
    const KanaTables tables = KanaTables::build();
    try {
        static_cast<void>(tables.kana(61));
        ADD_FAILURE() << "no error raised";
    } catch (const AppError& error) {
        EXPECT_NE(std::string(error.what()).find("61"), std::string::npos) << error.what();
    }
    EXPECT_THROW(static_cast<void>(tables.kana(-1)), AppError);
    EXPECT_THROW(static_cast<void>(tables.kana(61)), AppError);
    for (const int notSmall : {-1, 0, 50, 59, 60, 61}) {
        EXPECT_THROW(static_cast<void>(tables.tableFor(notSmall)), AppError) << notSmall;
    }
    const TIntList& y = tables.tableFor(56);
    EXPECT_THROW(static_cast<void>(y.Items(-1)), AppError);
    EXPECT_THROW(static_cast<void>(y.Items(10)), AppError);
    EXPECT_THROW(y[10], AppError);
}

TEST(TIntList, AppendsAndCounts) {
    TIntList list;
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(static_cast<void>(list.Items(0)), AppError);
    EXPECT_EQ(list.Add(-7), 0);
    EXPECT_EQ(list.Add(2147483647), 1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0), -7);
    EXPECT_EQ(list[1], 2147483647);
    EXPECT_THROW(static_cast<void>(list.Items(2)), AppError);
}

} // namespace
