// The shipped model, cuts, word list and blocklist, read as kanatsumugi-cli reads them.
#include "apperror/AppError.h"
#include "generator/KanaTables.h"
#include "generator/NameGenerator.h"
#include "generator/RandomSource.h"
#include "lexicon/Blocklist.h"
#include "lexicon/DataFile.h"
#include "lexicon/KanaSymbols.h"
#include "lexicon/NameScore.h"
#include "lexicon/NaturalCuts.h"
#include "lexicon/WordChecks.h"
#include "lexicon/WordList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace kanatsumugi;

namespace {

const std::filesystem::path kData = KANATSUMUGI_TEST_DATA_DIR;

class NaturalData : public ::testing::Test {
protected:
    const KanaTables tables = KanaTables::build();
    const KanaSymbols symbols{tables};

    [[nodiscard]] std::string read(std::string_view utf8) const {
        return symbols.read(utf8, true).value();
    }

    // Every 997th name of the random-length day: names of every length and shape.
    [[nodiscard]] std::vector<std::string> sampleOfTheDay() const {
        std::vector<std::string> names;
        RandomSource random;
        for (std::uint32_t reading = 0; reading < kMillisecondsPerDay; reading += 997) {
            random.setSeed(reading);
            std::string name;
            drawName(tables, random, std::nullopt,
                     [&](int index) { name.push_back(static_cast<char>(index)); });
            names.push_back(name);
        }
        return names;
    }

    // A data file as the derivation script writes it.
    static std::string checked(std::string_view kind, std::string_view payload) {
        const auto file = std::filesystem::path(testing::TempDir()) / "checked";
        writeCheckedData(file, kind, payload);
        return readWholeFile(file);
    }

    // A scratch data folder holding copies of the shipped files, one of them replaced.
    [[nodiscard]] std::filesystem::path dataWith(const std::string& file,
                                                 const std::string& bytes) const {
        auto dir = std::filesystem::path(testing::TempDir()) / "natural-data";
        std::filesystem::create_directories(dir);
        for (const char* shipped : {NameScore::kFileName, NaturalCuts::kFileName,
                                    WordList::kFileName, Blocklist::kFileName}) {
            std::filesystem::copy_file(kData / shipped, dir / shipped,
                                       std::filesystem::copy_options::overwrite_existing);
        }
        std::filesystem::remove(dir / file);
        if (!bytes.empty()) {
            std::ofstream(dir / file, std::ios::binary) << bytes;
        }
        return dir;
    }
};

// The totals the derivation script printed from the same table.
TEST_F(NaturalData, ScoresMatchTheDerivationScript) {
    const NameScore score = NameScore::load(kData);
    const std::pair<const char*, int> expected[] = {
        {"グリュート", -14468}, {"バイエット", -14375}, {"タビュール", -16052},
        {"ヅヅヅォ", -34926},   {"ンヅョヅョ", -41561}, {"アイ", -8117},
        {"ばか", -10325},
    };
    for (const auto& [name, total] : expected) {
        EXPECT_EQ(score.total(read(name)), total) << name;
    }
}

TEST_F(NaturalData, PresetsNestAndRankAgainstTheirOwnShape) {
    const NameScore score = NameScore::load(kData);
    const NaturalCuts cuts = NaturalCuts::load(kData);
    std::array<int, 4> kept{};
    const auto names = sampleOfTheDay();
    for (const std::string& name : names) {
        const int total = score.total(name);
        for (int level = 0; level < 4; ++level) {
            kept[level] += cuts.keeps(total, name, Natural(level)) ? 1 : 0;
            if (level > 0 && cuts.keeps(total, name, Natural(level))) {
                ASSERT_TRUE(cuts.keeps(total, name, Natural(level - 1)));
            }
        }
        // A tie may straddle the cut, so percentile and preset agree to a point.
        const double percentile = cuts.percentile(total, name).value();
        if (cuts.keeps(total, name, Natural::High)) {
            EXPECT_GE(percentile, 89.0) << total;
        } else {
            EXPECT_LE(percentile, 91.0) << total;
        }
    }
    for (int level = 0; level < 4; ++level) {
        EXPECT_NEAR(kept[level] / static_cast<double>(names.size()), kNaturalShares[level], 0.01);
    }
    EXPECT_FALSE(cuts.percentile(0, read("ア")).has_value());
    // Shapes no name has: two kana closing with a pair, nine without one.
    EXPECT_FALSE(cuts.percentile(-3000, read("キャ")).has_value());
    EXPECT_FALSE(cuts.percentile(-3000, read("カキクケコサシスセ")).has_value());
    EXPECT_FALSE(cuts.keeps(0, read("アアアアアアアアアア"), Natural::Low));
}

// Names scored while they are drawn are kept exactly as the checks asked name by name
// keep them; one buffer serves every batch, as in a run, so nothing carries over.
TEST_F(NaturalData, BatchesKeepWhatEachNameAsked) {
    ::setenv("KANATSUMUGI_DATA_DIR", kData.c_str(), 1);
    const NameScore score = NameScore::load(kData);
    const NaturalCuts cuts = NaturalCuts::load(kData);
    const WordList words = WordList::load(kData);
    const Blocklist blocklist = Blocklist::loadShipped(kData, symbols);
    std::vector<KanaIndexName> names(4096);
    std::vector<std::uint8_t> passed(names.size());
    for (const WordRules& rules :
         {WordRules{Natural::High, true, true, {}}, WordRules{std::nullopt, true, false, {}},
          WordRules{Natural::Max, false, false, {}}, WordRules{std::nullopt, false, true, {}},
          WordRules{Natural::Low, true, false, {}}}) {
        const WordChecks checks(tables, rules, false);
        for (const auto& [first, length] : {std::pair<std::uint32_t, std::optional<std::int32_t>>{
                                                kMillisecondsPerDay - 100, std::nullopt},
                                            {40'000'000, 5}}) {
            checks.makeAndCheck(tables, length, first, names, passed);
            for (std::size_t i = 0; i < names.size(); ++i) {
                const std::string_view name = names[i].indices();
                const bool kept =
                    (!rules.natural || cuts.keeps(score.total(name), name, *rules.natural)) &&
                    (!rules.newWords || !words.isWord(name)) &&
                    (!rules.polite || !blocklist.blocks(name));
                ASSERT_EQ(passed[i] != 0, kept) << first + i;
            }
        }
    }
}

// The bitmaps and the sorted vector answer as a search of the file's numbers would.
TEST_F(NaturalData, WordCheckAgreesWithTheList) {
    const WordList words = WordList::load(kData);
    const std::string payload = readCheckedData(kData / WordList::kFileName, "words");
    std::vector<std::uint64_t> listed(payload.size() / 8);
    std::memcpy(listed.data(), payload.data(), payload.size());
    const auto inFile = [&](const std::string& name) {
        std::uint64_t key = name.size();
        for (const char c : name) {
            key = key << 6 | static_cast<unsigned char>(c);
        }
        return std::binary_search(listed.begin(), listed.end(), key);
    };
    EXPECT_EQ(words.size(), listed.size());
    for (const char* word :
         {"アキ", "カゼ", "ベル", "ガソリン", "バラライカ", "ブリュージュ", "アクロバチック"}) {
        EXPECT_TRUE(words.isWord(read(word))) << word;
    }
    EXPECT_FALSE(words.isWord(read("アナ"))); // ナ is none of the generator's kana
    int found = 0;
    for (const std::string& name : sampleOfTheDay()) {
        ASSERT_EQ(words.isWord(name), inFile(name)) << name.size();
        found += inFile(name) ? 1 : 0;
    }
    EXPECT_GT(found, 5000);
}

TEST_F(NaturalData, BlocklistFindsEveryEntryInside) {
    Blocklist blocklist = Blocklist::loadShipped(kData, symbols);
    EXPECT_GE(blocklist.size(), 50u);
    EXPECT_LE(blocklist.size(), 100u);
    for (const char* name : {"バカ", "アバカス", "ズズウンコ", "ギャクサツ", "オゴロツキー"}) {
        EXPECT_TRUE(blocklist.blocks(read(name))) << name;
    }
    for (const char* name : {"バラライカ", "カバ", "ウン", "ゴロツ"}) {
        EXPECT_FALSE(blocklist.blocks(read(name))) << name;
    }
    const auto mine = std::filesystem::path(testing::TempDir()) / "my-blocklist.txt";
    std::ofstream(mine) << "\xEF\xBB\xBFぐりゅ\r\nナンナ\n\nトート\n";
    blocklist.addUserFile(mine, symbols);
    EXPECT_TRUE(blocklist.blocks(read("アグリュー")));
    EXPECT_TRUE(blocklist.blocks(read("トートー")));
}

// One line each, naming the file; the shipped blocklist keeps its own rules.
TEST_F(NaturalData, DamagedFilesAreRefusedByName) {
    const std::string model = readWholeFile(kData / NameScore::kFileName);
    const std::string words = readWholeFile(kData / WordList::kFileName);
    std::string flipped = words;
    flipped[flipped.size() / 2] ^= 1;
    const struct {
        const char* file;
        std::string bytes;
        const char* says;
    } cases[] = {
        {NameScore::kFileName, "", "natural-model.bin: "},
        {NameScore::kFileName, model.substr(0, model.size() - 2), "damaged"},
        {NameScore::kFileName, "kanatsumugi words 1 0 cbf29ce484222325\n", "not a"},
        {WordList::kFileName, flipped, "damaged"},
        {WordList::kFileName, checked("words", std::string("\x3D\x20\0\0\0\0\0\0", 8)),
         "entry 1"}, // ア and a kana 2 past the inventory's end
        {NaturalCuts::kFileName, "kanatsumugi natural-cuts 1 0 cbf29ce484222325\n", "damaged"},
        {Blocklist::kFileName, "バカ\nクソ\nバカ\n", "line 3: listed twice"},
        {Blocklist::kFileName, "ばか\n", "line 1: not katakana"},
        {Blocklist::kFileName, "# ok\nナンナ\n", "line 2: no name"},
        {Blocklist::kFileName, "ャバ\n", "line 1: no name"},
        {Blocklist::kFileName, "カ\n", "line 1: an entry needs 2 kana"},
    };
    for (const auto& c : cases) {
        const auto dir = dataWith(c.file, c.bytes);
        try {
            (void)NameScore::load(dir);
            (void)NaturalCuts::load(dir);
            (void)WordList::load(dir);
            (void)Blocklist::loadShipped(dir, symbols);
            ADD_FAILURE() << c.file << " accepted";
        } catch (const AppError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(c.file), std::string::npos) << message;
            EXPECT_NE(message.find(c.says), std::string::npos) << message;
            EXPECT_EQ(message.find('\n'), std::string::npos) << message;
        }
    }
}

} // namespace
