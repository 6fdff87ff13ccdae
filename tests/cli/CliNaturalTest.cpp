// --natural, --new-words, --polite and --blocklist through the real command.
#include "RunCli.h"
#include "generator/KanaTables.h"
#include "generator/NameGenerator.h"
#include "generator/RandomSource.h"
#include "lexicon/Blocklist.h"
#include "lexicon/DataFile.h"
#include "lexicon/KanaSymbols.h"
#include "lexicon/NameScore.h"
#include "lexicon/NaturalCuts.h"
#include "lexicon/WordList.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace kanatsumugi;
using test::linesOf;
using test::runCli;

namespace {

// Every printed name is the window's name at its reading, sounds natural enough for its
// length, is no word and holds no blocked entry, its own or the user's.
TEST(CliNatural, PrintedNamesPassEveryCheck) {
    const KanaTables tables = KanaTables::build();
    const KanaSymbols symbols(tables);
    const auto data = dataDirectory();
    const NameScore score = NameScore::load(data);
    const NaturalCuts cuts = NaturalCuts::load(data);
    const WordList words = WordList::load(data);
    Blocklist blocklist = Blocklist::loadShipped(data, symbols);
    const auto mine = std::filesystem::path(testing::TempDir()) / "cli-blocklist.txt";
    std::ofstream(mine) << "りー\n";
    blocklist.addUserFile(mine, symbols);

    const test::CliRun run =
        runCli({"-n", "300", "--at", "06:00:00.000", "--format", "tsv", "--natural=high",
                "--new-words", "--polite", "--blocklist", mine.string()});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const auto lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 300u);
    for (const std::string& line : lines) {
        std::istringstream fields(line);
        std::string name;
        std::string time;
        std::getline(fields, name, '\t');
        std::getline(fields, time, '\t');
        const auto reading = static_cast<std::uint32_t>(
            ((std::stoi(time.substr(0, 2)) * 60 + std::stoi(time.substr(3, 2))) * 60 +
             std::stoi(time.substr(6, 2))) *
                1000 +
            std::stoi(time.substr(9, 3)));
        RandomSource random;
        random.setSeed(reading);
        std::string expected;
        drawName(tables, random, std::nullopt,
                 [&](int index) { expected += tables.kanaUtf8(index); });
        ASSERT_EQ(name, expected) << time;
        const std::string indices = symbols.read(name, false).value();
        EXPECT_TRUE(cuts.keeps(score.total(indices), indices, Natural::High)) << name;
        EXPECT_FALSE(words.isWord(indices)) << name;
        EXPECT_FALSE(blocklist.blocks(indices)) << name;
    }
}

// --rate: each name as given, in katakana, with its score (as the derivation script gives
// it), percentile, and whether it is a word, blocked, and a name the generator can make.
TEST(CliNatural, RateTellsWhatItKnowsOfEachName) {
    const test::CliRun run =
        runCli({"--rate", "--format", "csv", "ばか", "グリュート", "ナナ", "カキクケコサシスセ"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const auto lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 5u) << run.out;
    EXPECT_EQ(lines[0], "name,score,percentile,word,blocked,possible\r");
    EXPECT_TRUE(lines[1].starts_with("バカ,-3.442,")) << lines[1];
    EXPECT_TRUE(lines[1].ends_with(",true,true,true\r")) << lines[1];
    EXPECT_TRUE(lines[2].starts_with("グリュート,-2.411,")) << lines[2];
    EXPECT_TRUE(lines[2].ends_with(",false,false,true\r")) << lines[2];
    EXPECT_TRUE(lines[3].ends_with(",false,false,false\r")) << lines[3];
    EXPECT_TRUE(lines[4].ends_with(",false,false,false\r")) << lines[4]; // no closing pair
    const test::CliRun refused = runCli({"--rate", "アイ", "abc"});
    EXPECT_EQ(refused.exitStatus, 2);
    EXPECT_TRUE(refused.out.starts_with("アイ\t")) << refused.out;
    EXPECT_NE(refused.err.find("abc"), std::string::npos) << refused.err;
}

TEST(CliNatural, BadValuesAndFilesExitTwo) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--natural=best"},
                                                 {"--natural"},
                                                 {"--blocklist", "/nonexistent"},
                                                 {"--blocklist", "/"},
                                                 {"--rate", "バ\nカ"},
                                                 {"--blocklist", ""}}) {
        const test::CliRun run = runCli(args);
        EXPECT_EQ(run.exitStatus, 2) << args.back();
        EXPECT_TRUE(run.out.empty());
        EXPECT_EQ(linesOf(run.err).size(), run.err.find("Usage") != std::string::npos ||
                                                   run.err.find("使い方") != std::string::npos
                                               ? 2u
                                               : 1u)
            << run.err;
    }
}

} // namespace
