#include "cli/CliOptions.h"

#include "apperror/AppError.h"
#include "cli/Language.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace kanatsumugi;

namespace {

CliOptions parse(std::vector<std::string_view> args) {
    setLanguage(Language::Japanese);
    return parseCommandLine(args);
}

std::string errorOf(std::vector<std::string_view> args) {
    try {
        parse(args);
    } catch (const AppError& error) {
        return error.what();
    }
    return "(no error)";
}

TEST(ParseCommandLine, DefaultsToOneNameFromNow) {
    const CliOptions options = parse({});
    EXPECT_EQ(options.count, 1u);
    EXPECT_FALSE(options.fixedLength);
    EXPECT_FALSE(options.startReading);
    EXPECT_EQ(options.encoding, OutputEncoding::Utf8);
    EXPECT_FALSE(options.unique);
    EXPECT_FALSE(options.help);
}

TEST(ParseCommandLine, ReadsEveryOptionInBothSpellings) {
    const CliOptions separate =
        parse({"-n", "12", "-l", "3", "--at", "01:02:03.004", "--encoding", "cp932", "--unique"});
    const CliOptions joined =
        parse({"-n12", "-l3", "--at=01:02:03.004", "--encoding=cp932", "--unique"});
    for (const CliOptions& options : {separate, joined}) {
        EXPECT_EQ(options.count, 12u);
        EXPECT_EQ(options.fixedLength, 3);
        EXPECT_EQ(options.startReading, 3723004u);
        EXPECT_EQ(options.encoding, OutputEncoding::Cp932);
        EXPECT_TRUE(options.unique);
    }
}

TEST(ParseCommandLine, AValueMayLookLikeAnOptionOnlyWhereOneIsDue) {
    EXPECT_NE(errorOf({"-n", "--unique"}).find("整数"), std::string::npos);
    EXPECT_NE(errorOf({"--at"}).find("--at"), std::string::npos);
    EXPECT_NE(errorOf({"-n", "5", "extra"}).find("extra"), std::string::npos);
    EXPECT_NE(errorOf({"-"}).find("「-」"), std::string::npos);
    EXPECT_NE(errorOf({"--count=5"}).find("--count=5"), std::string::npos);
}

TEST(ParseCount, WholeNumbersOfAtLeastOne) {
    EXPECT_EQ(parseCount("1"), 1u);
    EXPECT_EQ(parseCount("0086400000"), 86400000u);
    EXPECT_EQ(parseCount("18446744073709551615"), UINT64_MAX);
    for (const char* bad :
         {"", "0", "-1", "+5", " 5", "5 ", "1e3", "0x10", "18446744073709551616", "５"}) {
        EXPECT_THROW(parseCount(bad), AppError) << "「" << bad << "」";
    }
}

TEST(ParseLength, TwoToEightOnly) {
    for (std::int32_t length = 2; length <= 8; ++length) {
        EXPECT_EQ(parseLength(std::to_string(length)), length);
    }
    for (const char* bad : {"0", "1", "9", "-2", "4294967298", "99999999999999999999", "3.0", ""}) {
        EXPECT_THROW(parseLength(bad), AppError) << "「" << bad << "」";
    }
}

TEST(ParseClockReading, HoursMinutesSecondsMilliseconds) {
    EXPECT_EQ(parseClockReading("00:00:00.000"), 0u);
    EXPECT_EQ(parseClockReading("12:34:56.789"), 45296789u);
    EXPECT_EQ(parseClockReading("23:59:59.999"), 86399999u);
}

TEST(ParseClockReading, RefusesMalformedAndOutOfRange) {
    setLanguage(Language::Japanese);
    const char* malformed[] = {"",
                               "12:34:56",
                               "1:02:03.004",
                               "12:34:56.78",
                               "12-34-56.789",
                               "12:34:56,789",
                               "ab:cd:ef.ghi",
                               "12:34:56.789 ",
                               "+1:34:56.789",
                               "12:34:56.7890"};
    for (const char* text : malformed) {
        try {
            parseClockReading(text);
            ADD_FAILURE() << "accepted 「" << text << "」";
        } catch (const AppError& error) {
            EXPECT_NE(std::string(error.what()).find("HH:MM:SS.mmm"), std::string::npos)
                << error.what();
        }
    }
    for (const char* text : {"24:00:00.000", "00:60:00.000", "00:00:60.000", "99:99:99.999"}) {
        try {
            parseClockReading(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const AppError& error) {
            EXPECT_NE(std::string(error.what()).find("範囲外"), std::string::npos) << error.what();
        }
    }
}

} // namespace
