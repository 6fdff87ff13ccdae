#include "RunCli.h"
#include "generator/KanaTables.h"
#include "generator/NameGenerator.h"
#include "generator/RandomSource.h"
#include "support/Cp932.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace kanatsumugi;
using test::linesOf;
using test::runCli;

namespace {

std::string utf8NameForSeed(std::uint32_t seed) {
    RandomSource random;
    random.setSeed(seed);
    return test::cp932ToUtf8(makeName(KanaTables::build(), random, std::nullopt).shiftJis);
}

struct BadArguments {
    std::vector<std::string> args;
    const char* problem; // a word the message must contain
};

TEST(CliArguments, EachBadArgumentIsRefusedWithStatusTwo) {
    const BadArguments cases[] = {
        {{"--bogus"}, "--bogus"},
        {{"-x"}, "-x"},
        {{"stray"}, "stray"},
        {{"-n"}, "-n"},
        {{"-n", "abc"}, "abc"},
        {{"-n", "1.5"}, "1.5"},
        {{"-n", "0"}, "-n"},
        {{"-n", "-3"}, "-3"},
        {{"-n", "99999999999999999999999"}, "99999999999999999999999"},
        {{"-n", "+5"}, "+5"},
        {{"-n", "--unique"}, "--unique"},
        {{"-n", "5", "extra"}, "extra"},
        {{"-"}, "「-」"},
        {{"-n", "1\n2"}, "1\\x0a2"},
        {{"-l", "1"}, "-l"},
        {{"-l", "9"}, "-l"},
        {{"-l", "eight"}, "eight"},
        {{"--at", "24:00:00.000"}, "24:00:00.000"},
        {{"--spread", "-n", "86400001"}, "86400000"},
        {{"--encoding", "latin1"}, "latin1"},
        {{"--unique=yes"}, "--unique"},
    };
    for (const BadArguments& c : cases) {
        const test::CliRun run = runCli(c.args);
        const std::string shown = c.args.back();
        EXPECT_EQ(run.exitStatus, 2) << shown;
        EXPECT_EQ(run.out, "") << shown;
        const std::vector<std::string> lines = linesOf(run.err);
        ASSERT_EQ(lines.size(), 2u) << shown << ": " << run.err;
        EXPECT_NE(lines[0].find(c.problem), std::string::npos) << lines[0];
        EXPECT_EQ(lines[1].rfind("使い方: kanatsumugi-cli", 0), 0u) << lines[1];
    }
}

TEST(CliArguments, HelpPrintsUsageAndSucceeds) {
    for (const char* flag : {"-h", "--help"}) {
        const test::CliRun run = runCli({flag});
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out.rfind("使い方: kanatsumugi-cli", 0), 0u) << run.out;
    }
}

// The window's worked examples, consecutive readings across midnight, -l as the
// checked box, and both spellings of each value.
TEST(CliOutput, TheWindowsNamesFromTheGivenReading) {
    EXPECT_EQ(runCli({"--at", "23:59:59.999", "-n", "2"}).out, "ラソコカバァズ\nイスィ\n");
    EXPECT_EQ(runCli({"-n3", "--at=12:34:56.789"}).out,
              "チリイヂヨ\n" + utf8NameForSeed(45296790) + "\n" + utf8NameForSeed(45296791) + "\n");
    EXPECT_EQ(runCli({"-l", "8", "--at", "12:34:56.789"}).out, "チリイヂヨキヴベ\n");
    EXPECT_EQ(runCli({"--at=23:59:59.999", "-l8"}).out, "ラソコカバァズカァ\n");
}

// --spread: one reading drawn in each of N equal stretches of the day from --at, each
// line still the name of its own reading; the same --at gives the same lines.
TEST(CliOutput, SpreadDrawsEvenlyOverTheDay) {
    const std::vector<std::string> args = {"-n",           "24",       "--spread", "--at",
                                           "12:00:00.000", "--format", "tsv"};
    const test::CliRun run = runCli(args);
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 24u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::istringstream fields(lines[i]);
        std::string name;
        std::string time;
        std::getline(fields, name, '\t');
        std::getline(fields, time, '\t');
        EXPECT_EQ(std::stoi(time.substr(0, 2)), (12 + i) % 24) << time;
        const auto reading = static_cast<std::uint32_t>(
            ((std::stoi(time.substr(0, 2)) * 60 + std::stoi(time.substr(3, 2))) * 60 +
             std::stoi(time.substr(6, 2))) *
                1000 +
            std::stoi(time.substr(9, 3)));
        EXPECT_EQ(name, utf8NameForSeed(reading)) << time;
    }
    EXPECT_EQ(runCli(args).out, run.out);
    std::vector<std::string> other = args;
    other[4] = "12:00:00.001";
    EXPECT_NE(runCli(other).out, run.out);
}

TEST(CliOutput, LongRunsMatchTheGeneratorLineForLine) {
    // Long enough to be made in several blocks, and crossing midnight.
    constexpr std::uint32_t kStart = 86400000 - 300000;
    constexpr std::uint32_t kCount = 700001;
    const test::CliRun run = runCli({"--at", "23:55:00.000", "-n", std::to_string(kCount)});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const KanaTables tables = KanaTables::build();
    std::string expected;
    RandomSource random;
    for (std::uint32_t i = 0; i < kCount; ++i) {
        random.setSeed((kStart + i) % 86400000);
        expected += makeName(tables, random, std::nullopt).shiftJis;
        expected += '\n';
    }
    ASSERT_EQ(test::utf8ToCp932(run.out), expected);
}

TEST(CliOutput, WithoutAtOneNameFromTheCurrentTime) {
    const test::CliRun run = runCli({});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 1u);
    const std::string shiftJis = test::utf8ToCp932(lines[0]);
    EXPECT_GE(shiftJis.size(), 4u);
    EXPECT_LE(shiftJis.size(), 18u);
}

TEST(CliUnique, PrintsFirstOccurrencesInReadingOrder) {
    const test::CliRun all = runCli({"--at", "00:00:00.000", "-l", "2", "-n", "20000"});
    std::vector<std::string> expected;
    std::set<std::string> seen;
    for (const std::string& line : linesOf(all.out)) {
        if (seen.insert(line).second && expected.size() < 1500) {
            expected.push_back(line);
        }
    }
    ASSERT_EQ(expected.size(), 1500u) << "too few distinct names to compare";
    ASSERT_LT(seen.size(), 20000u) << "no repeats to remove";

    const test::CliRun unique =
        runCli({"--at", "00:00:00.000", "-l", "2", "-n", "1500", "--unique"});
    EXPECT_EQ(unique.exitStatus, 0) << unique.err;
    EXPECT_EQ(linesOf(unique.out), expected);
}

TEST(CliUnique, StopsWhenADayHoldsNoNewName) {
    // Two kana: 51 starters times 51 full kana, ッ or ー; or a starter, a partner
    // and a small kana: 51 times the 112 partner pairs of the eight small kana.
    constexpr std::size_t kAllNamesOfLengthTwo = 51 * 53 + 51 * (21 + 9 + 13 + 22 + 17 + 3 * 10);
    const test::CliRun run =
        runCli({"-l", "2", "--unique", "-n", "1000000", "--at", "05:00:00.000"});
    EXPECT_EQ(run.exitStatus, 1);
    const std::vector<std::string> lines = linesOf(run.out);
    EXPECT_EQ(lines.size(), kAllNamesOfLengthTwo);
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()).size(), lines.size());
    const std::vector<std::string> messages = linesOf(run.err);
    ASSERT_EQ(messages.size(), 1u) << run.err;
    EXPECT_NE(messages[0].find(std::to_string(lines.size())), std::string::npos) << messages[0];
}

TEST(CliOutput, EarlyClosedPipeEndsQuietly) {
    test::CliRunOptions options;
    options.closeStdoutAfter = 100;
    const test::CliRun run = runCli({"-n", "1000000000000"}, options);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_GE(run.out.size(), 100u);
}

TEST(CliOutput, AFullDiskIsReportedNotHidden) {
    test::CliRunOptions options;
    options.stdoutFile = "/dev/full";
    options.locale = "C";
    // The ratings as much as the names: a full disk is no bad argument.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"-n", "10"}, std::vector<std::string>{"--rate", "カナ"}}) {
        const test::CliRun run = runCli(args, options);
        EXPECT_EQ(run.exitStatus, 1) << args[0];
        EXPECT_EQ(linesOf(run.err).size(), 1u) << run.err;
        EXPECT_EQ(run.err.rfind("kanatsumugi-cli: cannot write", 0), 0u) << run.err;
    }
}

} // namespace
