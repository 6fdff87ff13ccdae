#include "stock/StockList.h"

#include "TestFolder.h"
#include "apperror/AppError.h"
#include "stock/StockText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace kanatsumugi {
namespace {

using test::crLfLines;
using test::TestFolder;

const std::string kFileNameUtf8 = "\xe4\xbb\x8a\xe3\x81\xbe\xe3\x81\xa7\xe5\x90\x8d\xe4\xbb\x98"
                                  "\xe3\x81\x91\xe3\x81\x9f\xe5\x90\x8d\xe5\x89\x8d.txt";

std::string openMessage(const QString& path) {
    return "ファイル " + path.toStdString() + " は開けません";
}

// Runs `action`, which must raise AppError, and returns its message.
template <typename Action> std::string messageOf(Action action) {
    try {
        action();
    } catch (const AppError& error) {
        return error.what();
    }
    return "(no error)";
}

void makeFifo(const QString& path) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0666), 0);
}

class StockListTest : public testing::Test {
protected:
    TestFolder folder;
    const QString path = folder.stockPath();
    const QList<QByteArray> oldEntries{"\x83\x41\x83\x43", "", "B"};

    // A list loaded from a file that holds the old entries.
    StockList loadedList() {
        TestFolder::writeBytes(path, crLfLines(oldEntries));
        StockList list(path);
        list.load();
        return list;
    }
};

TEST(StockListPath, DirectorySeparatorAndFileName) {
    EXPECT_EQ(StockList::pathInDirectory("/home/u").toStdString(), "/home/u/" + kFileNameUtf8);
    EXPECT_EQ(StockList::pathInDirectory("/").toStdString(), "//" + kFileNameUtf8);
}

TEST_F(StockListTest, DoubledSeparatorStillNamesTheFileAndShowsInMessages) {
    const QString doubled = StockList::pathInDirectory(folder.path() + "/");
    StockList list(doubled);
    list.stock("A");
    EXPECT_EQ(TestFolder::readBytes(folder.path() + "/" + QString::fromStdString(kFileNameUtf8)),
              QByteArray("A\r\n"));
    QFile::remove(path);
    makeFifo(path);
    EXPECT_EQ(messageOf([&] { list.load(); }), openMessage(doubled));
    EXPECT_NE(openMessage(doubled).find("//"), std::string::npos);
}

TEST_F(StockListTest, MissingFileGivesEmptyListAndCreatesNothing) {
    StockList list(path);
    list.load();
    EXPECT_TRUE(list.entries().isEmpty());
    EXPECT_TRUE(TestFolder::names(folder.path()).isEmpty());
}

TEST_F(StockListTest, DirectoryAtThePathCountsAsNoFile) {
    StockList list = loadedList();
    QFile::remove(path);
    QDir().mkdir(path);
    list.load();
    EXPECT_TRUE(list.entries().isEmpty());
}

TEST_F(StockListTest, LoadReplacesTheListWithTheFilesEntries) {
    StockList list = loadedList();
    EXPECT_EQ(list.entries(), oldEntries);
    TestFolder::writeBytes(path, "X\nY");
    list.load();
    EXPECT_EQ(list.entries(), (QList<QByteArray>{"X", "Y"}));
}

TEST_F(StockListTest, FileThatIsNoRegularFileRaisesOpenErrorAndKeepsList) {
    StockList list = loadedList();
    QFile::remove(path);
    makeFifo(path);
    EXPECT_EQ(messageOf([&] { list.load(); }), openMessage(path));
    EXPECT_EQ(list.entries(), oldEntries);
}

TEST_F(StockListTest, FirstStockCreatesTheFileWithOneLine) {
    StockList list(path);
    list.load();
    list.stock("\x83\x4a\x83\x69");
    EXPECT_EQ(TestFolder::readBytes(path), QByteArray("\x83\x4a\x83\x69\r\n"));
    EXPECT_EQ(list.entries(), (QList<QByteArray>{"\x83\x4a\x83\x69"}));
}

TEST_F(StockListTest, EmptyEntryIsWrittenAsABareCrLf) {
    StockList list = loadedList();
    list.stock("");
    EXPECT_EQ(TestFolder::readBytes(path), crLfLines(oldEntries) + "\r\n");
}

// What the file holds is never rewritten: a stock adds the break its last entry lacks, drops
// what follows a NUL (which reading ignores), and appends.
TEST_F(StockListTest, StockAppendsAndRewritesNoEntry) {
    const std::pair<QByteArray, QByteArray> cases[] = {
        {QByteArray("A\nB\rC\r\n\nD\0junk", 15), "A\nB\rC\r\n\nD\r\nE\r\n"},
        {"A\n", "A\nE\r\n"},
        {"A\r", "A\rE\r\n"},
        {QByteArray("\0junk", 5), "E\r\n"},
    };
    for (const auto& [before, after] : cases) {
        TestFolder::writeBytes(path, before);
        StockList list(path);
        list.load();
        list.stock("E");
        EXPECT_EQ(TestFolder::readBytes(path), after);
        EXPECT_EQ(list.entries(), parseStockEntries(after));
    }
}

// A path just short of the system's limit (4,095 bytes) stocks as it loads.
TEST_F(StockListTest, PathAtTheSystemsLimitStocks) {
    const QByteArray fileName = StockList::kFileName;
    QByteArray deep = QFile::encodeName(folder.path());
    while (4095 - deep.size() - 2 - fileName.size() > 255) {
        deep += "/" + QByteArray(200, 'd');
        ASSERT_EQ(::mkdir(deep.constData(), 0777), 0);
    }
    deep += "/" + QByteArray(4095 - deep.size() - 2 - fileName.size(), 'e');
    ASSERT_EQ(::mkdir(deep.constData(), 0777), 0);
    StockList list(deep + "/" + fileName);
    list.stock("A");
    list.load();
    EXPECT_EQ(list.entries(), QList<QByteArray>{"A"});
}

TEST_F(StockListTest, EntryWithABreakOrNulIsKeptAsTheFileReadsItBack) {
    StockList list = loadedList();
    list.stock("X\nY");
    list.stock(QByteArray("Z\0junk", 6));
    EXPECT_EQ(list.entries(), (oldEntries + QList<QByteArray>{"X", "Y", "Z"}));
    EXPECT_EQ(TestFolder::readBytes(path), crLfLines(list.entries()));
}

// Each part of a path shows as UTF-8, else as Shift-JIS, else with its bytes escaped.
TEST(StockListPath, ShownReadably) {
    const std::pair<QByteArray, QString> cases[] = {
        {"/home/u/\xe3\x82\xab.txt", QStringLiteral("/home/u/カ.txt")},
        {"/tmp/\x83\x4a\x83\x69/\xe3\x82\xab", QStringLiteral("/tmp/カナ/カ")},
        {"/tmp/a\xff\x83/b", QStringLiteral("/tmp/a\\xff\\x83/b")},
        {"//x", QStringLiteral("//x")},
    };
    for (const auto& [bytes, shown] : cases) {
        EXPECT_EQ(StockList(bytes).shownPath(), shown);
    }
}

TEST_F(StockListTest, StockTakesInWhatAnotherCopyStockedMeanwhile) {
    StockList first = loadedList();
    StockList second(path);
    second.load();
    first.stock("X");
    second.stock("Y");
    EXPECT_EQ(TestFolder::readBytes(path), crLfLines(oldEntries + QList<QByteArray>{"X", "Y"}));
    EXPECT_EQ(second.entries(), (oldEntries + QList<QByteArray>{"X", "Y"}));
}

TEST_F(StockListTest, FileDeletedSinceLoadIsWrittenAgainFromTheList) {
    StockList list = loadedList();
    QFile::remove(path);
    list.stock("Z");
    EXPECT_EQ(TestFolder::readBytes(path), crLfLines(oldEntries + QList<QByteArray>{"Z"}));
}

// Nothing is made beside the file, and a lock file of an earlier version stays as it was.
TEST_F(StockListTest, NothingIsMadeBesideTheFile) {
    StockList list = loadedList();
    TestFolder::writeBytes(path + ".lock", "x");
    list.stock("A");
    list.stock("B");
    const QString fileName = QString::fromStdString(kFileNameUtf8);
    EXPECT_EQ(TestFolder::names(folder.path()), (QStringList{fileName, fileName + ".lock"}));
    EXPECT_EQ(TestFolder::readBytes(path + ".lock"), "x");
}

TEST_F(StockListTest, LinkStaysALinkAndItsTargetIsWritten) {
    const QString elsewhere = folder.subfolder("elsewhere") + "/names.txt";
    TestFolder::writeBytes(elsewhere, "old\r\n");
    ASSERT_TRUE(QFile::link(elsewhere, path));
    StockList list(path);
    list.load();
    list.stock("new");
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    EXPECT_EQ(TestFolder::readBytes(elsewhere), QByteArray("old\r\nnew\r\n"));
    EXPECT_EQ(TestFolder::names(folder.path() + "/elsewhere"), QStringList{"names.txt"});
}

} // namespace
} // namespace kanatsumugi
