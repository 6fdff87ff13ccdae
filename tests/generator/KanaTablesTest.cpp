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
    entries.reserve(static_cast<std::size_t>(list.Count()));
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

// Each table typed as the kana it holds, in drawing order; its indices are found in the
// inventory text above, so a wrong index in the program cannot be copied into the test.
std::vector<int> indicesOf(const std::string& kanaText) {
    constexpr std::size_t kUtf8KanaBytes = 3;
    std::vector<int> indices;
    indices.reserve(kanaText.size() / kUtf8KanaBytes);
    for (std::size_t at = 0; at < kanaText.size(); at += kUtf8KanaBytes) {
        const std::size_t found = kInventoryText.find(kanaText.substr(at, kUtf8KanaBytes));
        EXPECT_NE(found, std::string::npos) << kanaText.substr(at, kUtf8KanaBytes);
        indices.push_back(static_cast<int>(found / kUtf8KanaBytes));
    }
    return indices;
}

TEST(PairingTables, HoldTheirKanaInDrawingOrder) {
    const std::string y = "キシチツリギジヂヅビ";
    const struct {
        const char* smallKana;
        std::string partners;
    } cases[] = {
        {"ァ", "ウクスツルアカサタラヤワヴガグゴザダヅバボ"},
        {"ィ", "ウスツヴギジヂヅビ"},
        {"ゥ", "ウクツスソツトルユグズゾヅブ"},
        {"ェ", "イウカケシスセチツテレヴギゲズゼヂヅデドベボ"},
        {"ォ", "ウクコスソツトロヨヴゴズゾヅドブボ"},
        {"ャ", y},
        {"ュ", y},
        {"ョ", y},
    };

    const KanaTables tables = KanaTables::build();
    for (const auto& c : cases) {
        const int smallKana = indicesOf(c.smallKana).front();
        EXPECT_EQ(entriesOf(tables.tableFor(smallKana)), indicesOf(c.partners)) << c.smallKana;
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

} // namespace
