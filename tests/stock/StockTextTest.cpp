#include "stock/StockText.h"

#include "stock/CrLfScan.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace kanatsumugi {
namespace {

QByteArray bytesOf(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

QList<QByteArray> entriesOf(const std::string& fileBytes) {
    return StockText::fromFileBytes(bytesOf(fileBytes)).entries();
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
    const StockText text = StockText::fromFileBytes(bytesOf(c.file));
    EXPECT_EQ(text.entries(), c.entries) << c.what;
    EXPECT_EQ(text.count(), c.entries.size()) << c.what;
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
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

// The quick check looks at sixteen bytes at a time; breaks and NULs at every offset around
// the edges of those blocks must read as they do anywhere else.
TEST(StockText, BreaksAtEveryOffsetReadAlike) {
    for (size_t pad = 0; pad < 40; ++pad) {
        const std::string a(pad, 'a');
        SCOPED_TRACE(pad);
        EXPECT_EQ(entriesOf(a + "\r\nb\r\n"), (QList<QByteArray>{bytesOf(a), "b"}));
        EXPECT_EQ(entriesOf(a + "\rb\r\n"), (QList<QByteArray>{bytesOf(a), "b"}));
        EXPECT_EQ(entriesOf(a + "\nb\r\n"), (QList<QByteArray>{bytesOf(a), "b"}));
        EXPECT_EQ(entriesOf("x\r\n" + a + "\r"), (QList<QByteArray>{"x", bytesOf(a)}));
        if (pad > 0) {
            EXPECT_EQ(entriesOf("x\r\n" + a), (QList<QByteArray>{"x", bytesOf(a)}));
            EXPECT_EQ(entriesOf("x\r\n" + a + std::string("\0\r\ny\r\n", 6)),
                      (QList<QByteArray>{"x", bytesOf(a)}));
        }
        EXPECT_EQ(entriesOf(a + std::string("\r\0\n", 3)), (QList<QByteArray>{bytesOf(a)}));
    }
}

TEST(StockText, ManyLinesCountedAcrossBlocks) {
    std::string file;
    QList<QByteArray> expected;
    for (int i = 0; i < 1000; ++i) {
        const std::string name(static_cast<size_t>(i % 23), static_cast<char>('A' + i % 26));
        file += name + "\r\n";
        expected.append(bytesOf(name));
    }
    const StockText text = StockText::fromFileBytes(bytesOf(file));
    EXPECT_EQ(text.count(), 1000);
    EXPECT_EQ(text.entries(), expected);
    EXPECT_EQ(text.bytes(), bytesOf(file));
}

TEST(StockText, WrittenWithCrLfAfterEveryEntry) {
    EXPECT_EQ(StockText().bytes(), QByteArray());
    const StockText text = StockText::fromFileBytes(bytesOf(std::string("A\nB\r\rC\0D\r\n", 10)));
    EXPECT_EQ(text.bytes(), QByteArray("A\r\nB\r\n\r\nC\r\n"));
}

TEST(StockText, WritingThenReadingGivesTheSameList) {
    const StockText text = StockText::fromFileBytes(bytesOf("\r\n\x83\x4a\rx \n\r\nz"));
    const StockText again = StockText::fromFileBytes(text.bytes());
    EXPECT_EQ(again.entries(), text.entries());
    EXPECT_EQ(again.bytes(), text.bytes());
}

TEST(StockText, AppendedEntriesEndInCrLf) {
    StockText text;
    text.append("\x83\x4a\x83\x69");
    text.append("");
    text.append("B");
    EXPECT_EQ(text.bytes(), QByteArray("\x83\x4a\x83\x69\r\n\r\nB\r\n"));
    EXPECT_EQ(text.count(), 3);
}

TEST(StockText, AppendedEntryIsKeptAsTheFileReadsItBack) {
    StockText text;
    text.append("A");
    text.append("B\nC");
    EXPECT_EQ(text.entries(), (QList<QByteArray>{"A", "B", "C"}));
    text.append(QByteArray("D\0E", 3));
    EXPECT_EQ(text.entries(), (QList<QByteArray>{"A", "B", "C", "D"}));
    EXPECT_EQ(text.count(), 4);
    EXPECT_EQ(StockText::fromFileBytes(text.bytes()), text);
}

// A large file is checked piece by piece as it is read; a CR at the end of one piece and its
// LF at the start of the next, or a NUL anywhere, must come out as for the whole.
TEST(CrLfScanner, PiecesCheckAsTheWhole) {
    const std::string line(62, 'a');
    const std::vector<std::string> files{
        line + "\r\n" + line + "\r\n",     line + "\r\n" + line + "\r",
        line + "\r\n" + line + "\n",       line + "\r\n" + line,
        line + "\r\n\0" + line + "\rX\n"s, line + "\r\0\n"s + line,
        "\r\n\r\n\r\n"s + line + "\r\n"};
    for (const std::string& file : files) {
        const CrLfScan whole = scanCrLf(file.data(), static_cast<qsizetype>(file.size()));
        for (size_t split = 0; split <= file.size(); ++split) {
            SCOPED_TRACE(split);
            CrLfScanner scanner;
            scanner.feed(file.data(), static_cast<qsizetype>(split));
            scanner.feed(file.data() + split, static_cast<qsizetype>(file.size() - split));
            const CrLfScan pieces = scanner.result();
            ASSERT_EQ(pieces.inStockFormat, whole.inStockFormat);
            if (whole.inStockFormat) {
                EXPECT_EQ(pieces.textEnd, whole.textEnd);
                EXPECT_EQ(pieces.lineCount, whole.lineCount);
            }
        }
    }
}

} // namespace
} // namespace kanatsumugi
