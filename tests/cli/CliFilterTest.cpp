#include "RunCli.h"
#include "generator/KanaTables.h"
#include "generator/NameGenerator.h"
#include "generator/RandomSource.h"
#include "support/Cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace kanatsumugi;
using test::linesOf;
using test::runCli;

namespace {

// The window's name at a reading, as UTF-8 text.
std::string nameAt(const KanaTables& tables, std::uint32_t reading,
                   std::optional<std::int32_t> fixedLength) {
    static std::map<std::string, std::string> utf8Of; // iconv is slow; kana are few
    RandomSource random;
    random.setSeed(reading % kMillisecondsPerDay);
    const std::string shiftJis = makeName(tables, random, fixedLength).shiftJis;
    std::string text;
    for (std::size_t at = 0; at < shiftJis.size(); at += 2) {
        const std::string kana = shiftJis.substr(at, 2);
        auto found = utf8Of.find(kana);
        if (found == utf8Of.end()) {
            found = utf8Of.emplace(kana, test::cp932ToUtf8(kana)).first;
        }
        text += found->second;
    }
    return text;
}

using Check = std::function<bool(const std::string& name)>;

bool has(const std::string& name, const char* text) {
    return name.find(text) != std::string::npos;
}
bool startsWith(const std::string& name, const char* text) {
    return name.rfind(text, 0) == 0;
}
bool endsWith(const std::string& name, const std::string& text) {
    return name.size() >= text.size() &&
           name.compare(name.size() - text.size(), text.size(), text) == 0;
}
std::size_t kanaCount(const std::string& name) {
    return name.size() / 3; // every kana is three bytes in UTF-8
}

struct FilterCase {
    std::vector<std::string> args;
    Check check;
};

// Each filter against a straightforward reading of it over the same readings.
TEST(CliFilters, PrintExactlyTheWindowsNamesThatPass) {
    const FilterCase cases[] = {
        {{"--starts-with", "カ"},
         [](const std::string& n) {
             return startsWith(n, "カ");
         }},
        {{"--starts-with", "か", "--starts-with", "カン"},
         [](const std::string& n) {
             return startsWith(n, "カン");
         }},
        {{"--ends-with", "ー", "--kana", "4-5"},
         [](const std::string& n) {
             return endsWith(n, "ー") && kanaCount(n) >= 4 && kanaCount(n) <= 5;
         }},
        {{"--contains", "ァ", "--without", "ッ", "--without", "ん"},
         [](const std::string& n) {
             return has(n, "ァ") && !has(n, "ッ") && !has(n, "ン");
         }},
        {{"--contains", "ー", "--contains", "ゔ", "--kana", "9"},
         [](const std::string& n) {
             return has(n, "ー") && has(n, "ヴ") && kanaCount(n) == 9;
         }},
        {{"-l", "3", "--kana", "4", "--ends-with", "ょ"},
         [](const std::string& n) {
             return kanaCount(n) == 4 && endsWith(n, "ョ");
         }},
        {{"--without", "ナ", "--ends-with", "ッ"},
         [](const std::string& n) {
             return endsWith(n, "ッ");
         }},
        {{"--not-starts-with", "ん", "--not-ends-with", "ッ", "--not-ends-with", "ー"},
         [](const std::string& n) {
             return !startsWith(n, "ン") && !endsWith(n, "ッ") && !endsWith(n, "ー");
         }},
        // Morae: a small kana counts with the kana before it.
        {{"--morae", "3", "--contains", "ャ"},
         [](const std::string& n) {
             std::size_t small = 0;
             for (const char* kana : {"ァ", "ィ", "ゥ", "ェ", "ォ", "ャ", "ュ", "ョ"}) {
                 for (auto at = n.find(kana); at != std::string::npos; at = n.find(kana, at + 1)) {
                     ++small;
                 }
             }
             return has(n, "ャ") && kanaCount(n) - small == 3;
         }},
    };
    const KanaTables tables = KanaTables::build();
    constexpr std::uint32_t kStart = kMillisecondsPerDay - 200000; // crosses midnight
    constexpr std::size_t kCount = 100;
    for (const FilterCase& c : cases) {
        std::vector<std::string> args = {"--at", "23:56:40.000", "-n", std::to_string(kCount)};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const std::optional<std::int32_t> fixed =
            c.args[0] == "-l" ? std::optional<std::int32_t>(std::stoi(c.args[1])) : std::nullopt;
        std::vector<std::string> expected;
        for (std::uint32_t r = kStart; expected.size() < kCount && r < kStart + 3000000; ++r) {
            const std::string name = nameAt(tables, r, fixed);
            if (c.check(name)) {
                expected.push_back(name);
            }
        }
        const test::CliRun run = runCli(args);
        EXPECT_EQ(run.exitStatus, 0) << c.args[1] << run.err;
        EXPECT_EQ(linesOf(run.out), expected) << c.args[1];
    }
}

TEST(CliFilters, AShortDayEndsWithStatusOneAndTheCount) {
    // ヴヴヴ within eight kana: rare enough that a day holds a handful.
    const test::CliRun rare =
        runCli({"--contains", "ヴヴヴ", "-n", "1000000", "--at=00:00:00.000"});
    EXPECT_EQ(rare.exitStatus, 1);
    const std::vector<std::string> lines = linesOf(rare.out);
    const std::vector<std::string> messages = linesOf(rare.err);
    ASSERT_EQ(messages.size(), 1u) << rare.err;
    EXPECT_NE(messages[0].find(" " + std::to_string(lines.size()) + " "), std::string::npos)
        << messages[0];
    for (const std::string& line : lines) {
        EXPECT_TRUE(has(line, "ヴヴヴ")) << line;
    }
    // With --spread it is the stretches of the day that fall short, not the day.
    const test::CliRun spread =
        runCli({"--contains", "ヴヴヴ", "-n", "1000", "--spread", "--at=00:00:00.000"});
    EXPECT_NE(spread.err.find(" 1000 "), std::string::npos) << spread.err;
}

// A filter no name can pass is refused before a single reading is read, naming itself.
TEST(CliFilters, ImpossibleFiltersAnswerAtOnce) {
    const std::vector<std::vector<std::string>> cases = {
        {"--starts-with", "ナ"},
        {"--contains", "ヰ"},
        {"--starts-with", "ッ"},
        {"--starts-with", "カ", "--starts-with", "キ"},
        {"--ends-with", "カ", "--ends-with", "キカ", "--ends-with", "ア"},
        {"-l", "5", "--kana", "2"},
        {"--morae", "9"},
        {"--contains", "カン", "--without", "ン"},
        {"--kana", "3", "--starts-with", "カキクケ"},
        {"-l", "3", "--kana", "4", "--ends-with", "カ"},
        {"--polite", "--contains", "バカ"},
        {"--kana", "2", "--starts-with", "キ", "--ends-with", "カキ"},
        {"--morae", "2", "--contains", "キャキャ"},
    };
    for (const std::vector<std::string>& args : cases) {
        const auto started = std::chrono::steady_clock::now();
        const test::CliRun run = runCli(args);
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
        EXPECT_EQ(run.exitStatus, 1) << args[1];
        EXPECT_EQ(run.out, "");
        const std::string condition = args[args.size() - 2] + " " + args.back();
        EXPECT_NE(run.err.find(condition), std::string::npos) << condition << ": " << run.err;
    }
}

struct BadText {
    std::vector<std::string> args;
    const char* named; // how the message names the refused character
};

TEST(CliFilters, TextOtherThanKanaIsRefusedNamingTheCharacter) {
    const BadText cases[] = {
        {{"--starts-with", "Ka"}, "「K」"},
        {{"--contains", "カ・ナ"}, "U+30FB"},
        {{"--without", "漢"}, "「漢」"},
        {{"--ends-with", "ｶ"}, "U+FF76"},
        {{"--contains", "カ\tナ"}, "U+0009"},
        {{"--contains", "\xf0\x83\x82\xa2"}, "UTF-8"},
        {{"--starts-with", ""}, "--starts-with"},
        {{"--kana", "1"}, "--kana"},
        {{"--kana", "5-3"}, "5-3"},
        {{"--kana", "2-10"}, "2-10"},
        {{"--format", "xml"}, "xml"},
        {{"--romaji=kunrei"}, "kunrei"},
        {{"--format", "csv", "--encoding", "cp932"}, "cp932"},
        {{"--romaji", "--encoding", "cp932"}, "cp932"},
        {{"--rate", "--encoding", "cp932"}, "--rate"},
        {{"--encoding", "utf-8-bom"}, "utf-8-bom"},
        {{"--morae", "0"}, "--morae"},
        {{"--stock-file", "a.txt"}, "--stock-file"},
    };
    for (const BadText& c : cases) {
        const test::CliRun run = runCli(c.args);
        EXPECT_EQ(run.exitStatus, 2) << c.named;
        EXPECT_EQ(run.out, "");
        const std::vector<std::string> lines = linesOf(run.err);
        ASSERT_EQ(lines.size(), 2u) << run.err;
        EXPECT_NE(lines[0].find(c.named), std::string::npos) << lines[0];
    }
}

class CliStock : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/kanatsumugi-cli-stock-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    void writeStock(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    test::CliRun runIn(const std::vector<std::string>& args) {
        test::CliRunOptions options;
        options.workingDirectory = dir_.string();
        return runCli(args, options);
    }

    std::filesystem::path dir_;
};

TEST_F(CliStock, KeptNamesAreSkippedAsTheStockReadsThem) {
    const std::vector<std::string> all = linesOf(runCli({"--at", "12:00:00.000", "-n", "6"}).out);
    ASSERT_EQ(all.size(), 6u);
    // Before the first stock there is no file, and nothing is kept yet.
    const test::CliRun fresh = runIn({"--at", "12:00:00.000", "-n", "2", "--exclude-stock"});
    ASSERT_EQ(fresh.exitStatus, 0) << fresh.err;
    EXPECT_EQ(linesOf(fresh.out), (std::vector<std::string>{all[0], all[1]}));
    // The stock's own rules: lone LF and lone CR break lines too, a last line needs no
    // break, other text is kept and ignored.
    writeStock("今まで名付けた名前.txt",
               test::utf8ToCp932(all[0] + "\r\nアイウエオカキクケ\n" + all[2] + "\r" + all[4]));
    const test::CliRun run = runIn({"--at", "12:00:00.000", "-n", "3", "--exclude-stock"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(linesOf(run.out), (std::vector<std::string>{all[1], all[3], all[5]}));

    writeStock("other.txt", test::utf8ToCp932(all[1] + "\r\n"));
    const test::CliRun named =
        runIn({"--exclude-stock", "--stock-file", "other.txt", "--at", "12:00:00.000", "-n", "2"});
    EXPECT_EQ(linesOf(named.out), (std::vector<std::string>{all[0], all[2]})) << named.err;
}

TEST_F(CliStock, AStockThatCannotBeReadIsAnError) {
    std::filesystem::create_directory(dir_ / "folder.txt");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--exclude-stock", "--stock-file=folder.txt"},
          {"--exclude-stock", "--stock-file", "missing.txt"},
          {"--stock", "--stock-file", "/dev/stdout"}}) {
        const test::CliRun run = runIn(args);
        EXPECT_EQ(run.exitStatus, 2) << args.back();
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(linesOf(run.err).size(), 1u) << run.err;
    }
}

// --stock keeps what it prints, in one append; with --exclude-stock and --unique a
// second run gives only names the stock does not hold yet.
TEST_F(CliStock, StockKeepsThePrintedNames) {
    const std::vector<std::string> args = {"--at",    "00:00:00.000",    "-l",      "2", "-n", "40",
                                           "--stock", "--exclude-stock", "--unique"};
    writeStock("今まで名付けた名前.txt", test::utf8ToCp932("イスィ\r\n"));
    std::string printed;
    for (int run = 0; run < 2; ++run) {
        const test::CliRun stocked = runIn(args);
        ASSERT_EQ(stocked.exitStatus, 0) << stocked.err;
        printed += stocked.out;
    }
    const std::vector<std::string> names = linesOf(printed);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 80u);
    std::ifstream file(dir_ / "今まで名付けた名前.txt", std::ios::binary);
    const std::string kept{std::istreambuf_iterator<char>(file), {}};
    std::string expected = "イスィ\r\n";
    for (const std::string& name : names) {
        expected += name + "\r\n";
    }
    EXPECT_EQ(kept, test::utf8ToCp932(expected));
}

// A reader that leaves early had only the lines it took: the rest are not stocked.
TEST_F(CliStock, StockHoldsOnlyWhatAnEarlyClosedPipeTook) {
    test::CliRunOptions options;
    options.workingDirectory = dir_.string();
    options.closeStdoutAfter = 100;
    const test::CliRun run = runCli({"-n", "100000", "--stock", "--format", "jsonl"}, options);
    std::ifstream file(dir_ / "今まで名付けた名前.txt", std::ios::binary);
    const std::string kept{std::istreambuf_iterator<char>(file), {}};
    const auto keptCount = std::count(kept.begin(), kept.end(), '\n');
    const auto readCount = std::count(run.out.begin(), run.out.end(), '\n');
    // Every line the reader took is kept, and past them only what still sat in the pipe when
    // it closed: 64 KiB, under 800 lines of JSON. A batch of names is 4,096.
    EXPECT_GE(keptCount, readCount);
    EXPECT_LT(keptCount, readCount + 800) << kept.size();
}

// The forms side by side for the worked examples; lengths as the -l setting; cp932 as
// the stock file holds names; the scores as the derivation script gives them.
TEST(CliFormats, EachFormHoldsNameRomajiReadingAndLengthSetting) {
    const std::vector<std::string> at = {"--at", "23:59:59.999", "-n", "2"};
    const struct {
        std::vector<std::string> args;
        std::string expected;
    } cases[] = {
        {{"--romaji"}, "ラソコカバァズ\trasokokaba'azu\nイスィ\tisi\n"},
        {{"--encoding", "cp932"}, test::utf8ToCp932("ラソコカバァズ\r\nイスィ\r\n")},
        {{"--format", "tsv", "-l", "2"},
         "ラソ\t23:59:59.999\t2\t-4.600\ttrue\nイスィ\t00:00:00.000\t2\t-4.011\tfalse\n"},
        {{"--format=csv", "--romaji"},
         "name,romaji,time,length_setting,score,word\r\n"
         "ラソコカバァズ,rasokokaba'azu,23:59:59.999,,-4.893,false\r\n"
         "イスィ,isi,00:00:00.000,,-4.011,false\r\n"},
        {{"--format", "csv", "-l8", "--encoding", "utf-8-bom"},
         "\xef\xbb\xbfname,time,length_setting,score,word\r\n"
         "ラソコカバァズカァ,23:59:59.999,8,-5.360,false\r\n"
         "イスィチゾトコル,00:00:00.000,8,-4.409,false\r\n"},
        {{"--format", "jsonl", "--romaji=ascii"},
         "{\"name\":\"ラソコカバァズ\",\"romaji\":\"rasokokaba'azu\",\"time\":\"23:59:59.999\","
         "\"length_setting\":null,\"score\":-4.893,\"word\":false}\n{\"name\":\"イスィ\","
         "\"romaji\":\"isi\",\"time\":\"00:00:00.000\",\"length_setting\":null,\"score\":-4.011,"
         "\"word\":false}\n"},
        {{"--rate", "--format=csv", "--encoding=utf-8-bom", "アイ"},
         "\xef\xbb\xbfname,score,percentile,word,blocked,possible\r\nアイ,-2.706,97.7,true,false,"
         "true\r\n"},
        {{"--rate", "\xef\xbb\xbfアイ"}, "アイ\t-2.706\t97.7\ttrue\tfalse\ttrue\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = at;
        args.insert(args.end(), c.args.begin(), c.args.end());
        const test::CliRun run = runCli(args);
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_EQ(run.out, c.expected) << c.args[0];
    }
}

// gettext's rules: LANGUAGE chooses among catalogues unless the locale is plain C.
TEST(CliLanguage, HelpAndMessagesFollowTheLocale) {
    const struct {
        const char* locale;
        const char* language;
        const char* usage;
    } cases[] = {{"C.UTF-8", "ja", "使い方: "},
                 {"C.UTF-8", "fr:ja", "使い方: "},
                 {"C", "ja", "Usage: "},
                 {"C.UTF-8", "", "Usage: "}};
    for (const auto& c : cases) {
        test::CliRunOptions options;
        options.locale = c.locale;
        options.language = c.language;
        EXPECT_EQ(runCli({"--help"}, options).out.rfind(c.usage, 0), 0u) << c.locale << c.language;
        const test::CliRun bad = runCli({"-n", "0"}, options);
        EXPECT_NE(bad.err.find("\n" + std::string(c.usage)), std::string::npos) << bad.err;
    }
    test::CliRunOptions english;
    english.language = "";
    const std::string refused = runCli({"--contains", "K"}, english).err;
    EXPECT_NE(refused.find("only, not \"K\" (U+004B)"), std::string::npos) << refused;
    const std::string unstocked = runCli({"--stock", "--stock-file", "/dev/null"}, english).err;
    EXPECT_NE(unstocked.find("/dev/null: cannot be opened"), std::string::npos) << unstocked;
    // The system's own words inside a Japanese message are Japanese too.
    test::CliRunOptions full;
    full.stdoutFile = "/dev/full";
    const std::string failed = runCli({"-n", "10"}, full).err;
    EXPECT_EQ(failed.rfind("kanatsumugi-cli: 出力に書き込めません: ", 0), 0u) << failed;
    EXPECT_EQ(failed.find("No space"), std::string::npos) << failed;
}

} // namespace
