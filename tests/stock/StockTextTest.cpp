#include "stock/StockText.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

namespace kanatsumugi {
namespace {

QByteArray bytesOf(const std::string& text) {
    return {text.data(), static_cast<qsizetype>(text.size())};
}

QList<QByteArray> entriesOf(const std::string& fileBytes) {
    return parseStockEntries(bytesOf(fileBytes));
}

struct ReadCase {
    const char* what;
    std::string file;
    QList<QByteArray> entries;
};

void PrintTo(const ReadCase& c, std::ostream* out) {
    *out << c.what;
}

class ReadingRules : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadingRules, SplitIntoEntries) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(entriesOf(c.file), c.entries) << c.what;
}

// "\x83\x4a" is カ in Shift-JIS; "\xef\xbb\xbf" a UTF-8 byte-order mark.
INSTANTIATE_TEST_SUITE_P(
    StockText, ReadingRules,
    testing::Values(
        ReadCase{"empty file", "", {}},
        ReadCase{"CR LF lines", "\x83\x4a\r\nAB\r\n", {"\x83\x4a", "AB"}},
        ReadCase{"empty line between breaks", "A\r\n\r\nB", {"A", "", "B"}},
        ReadCase{"lone LF", "A\nB\n", {"A", "B"}}, ReadCase{"lone CR", "A\rB\r", {"A", "B"}},
        ReadCase{"LF CR is two breaks", "A\n\rB", {"A", "", "B"}},
        ReadCase{"CR CR LF", "A\r\r\nB", {"A", "", "B"}},
        ReadCase{"final line without a break", "A\r\nB", {"A", "B"}},
        ReadCase{"only a break", "\r\n", {""}}, ReadCase{"only a lone CR", "\r", {""}},
        ReadCase{"NUL ends reading", std::string("A\r\nB\0C\r\nD\r\n", 11), {"A", "B"}},
        ReadCase{"NUL first", std::string("\0A\r\n", 4), {}},
        ReadCase{"NUL after a break", std::string("A\r\n\0B", 5), {"A"}},
        ReadCase{"NUL after a CR", std::string("A\r\0\nB", 5), {"A"}},
        ReadCase{"byte-order mark kept", "\xef\xbb\xbf\x41\r\nB\r\n", {"\xef\xbb\xbf\x41", "B"}},
        ReadCase{"UTF-16 stops at its first 0x00",
                 std::string("\xff\xfe\x41\x00\x0d\x00", 6),
                 {"\xff\xfe\x41"}},
        ReadCase{"spaces not trimmed", " A \t\r\n  \r\n", {" A \t", "  "}},
        ReadCase{"no code-page conversion", "\x81\x5b\xe9\x80\xfd\r\n", {"\x81\x5b\xe9\x80\xfd"}}),
    [](const testing::TestParamInfo<ReadCase>& test) {
        std::string name = test.param.what;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

} // namespace
} // namespace kanatsumugi
