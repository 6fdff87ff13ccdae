// Faults that need a second process: another user, a file size limit, a lock left by a
// killed process, two copies stocking at once, a kill in the middle of a stock.

#include "ProbeProcess.h"
#include "TestFolder.h"
#include "apperror/AppError.h"
#include "stock/NameStock.h"
#include "stock/StockText.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <sys/stat.h>
#include <sys/time.h>
#include <thread>
#include <unistd.h>

namespace kanatsumugi {
namespace {

using test::crLfLines;
using test::ProbeProcess;
using test::ProbeReport;
using test::TestFolder;
using User = ProbeProcess::User;

const QByteArray kWriteMessage = "ストリームへの書き込みエラー";

QByteArray openMessage(const QString& path) {
    return "ファイル " + path.toUtf8() + " は開けません";
}

QByteArray createMessage(const QString& path) {
    return "ファイル " + path.toUtf8() + " を作成できません";
}

QString stockCommand(const QByteArray& entry) {
    return QStringLiteral("stock=") + QString::fromLatin1(entry.toHex());
}

void setMode(const QString& path, int mode) {
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), static_cast<mode_t>(mode)), 0);
}

QList<QByteArray> numbered(const QByteArray& prefix, int count) {
    QList<QByteArray> names;
    for (int i = 0; i < count; ++i)
        names.append(prefix + QByteArray::number(i));
    return names;
}

class StockFaultTest : public testing::Test {
protected:
    // Running a probe as another user takes root.
    static bool canSwitchUser() { return ::geteuid() == 0; }

    TestFolder folder;
    QString path = folder.stockPath();
    QList<QByteArray> oldEntries{"\x83\x41\x83\x43", "", "\x83\x4a\x83\x69"};
    const QByteArray name = "\x83\x6c\x83\x80";

    void writeOldFile(const QString& stockPath) {
        TestFolder::writeBytes(stockPath, crLfLines(oldEntries));
    }
    // The old file as it was, and nothing else in its folder.
    void expectOldFileAlone(const QString& stockPath) {
        EXPECT_EQ(TestFolder::readBytes(stockPath), crLfLines(oldEntries));
        EXPECT_EQ(TestFolder::names(QFileInfo(stockPath).path()),
                  QStringList{QFileInfo(stockPath).fileName()});
    }
    // After one failed press and one after the cause was gone: the name is there once.
    void expectFailedThenStockedOnce(const ProbeReport& report, const QByteArray& message) {
        ASSERT_TRUE(report.finished);
        ASSERT_EQ(report.errors, QList<QByteArray>{message});
        ASSERT_EQ(report.states.size(), 2);
        EXPECT_TRUE(report.states[0].stockable);
        EXPECT_EQ(report.states[0].entries, oldEntries);
        EXPECT_FALSE(report.last().stockable);
        EXPECT_EQ(report.last().entries, oldEntries + QList<QByteArray>{name});
    }
};

TEST_F(StockFaultTest, FolderWithoutWritePermission) {
    if (!canSwitchUser())
        GTEST_SKIP() << "needs root to run the probe as user 65534";
    const QString closed = folder.subfolder("closed");
    const QString stockPath = StockList::pathInDirectory(closed);
    writeOldFile(stockPath);
    setMode(stockPath, 0666);
    setMode(closed, 0755);
    ProbeProcess probe(
        stockPath, {"load", "generated", stockCommand(name), "show", "wait", stockCommand(name)},
        User::Nobody);
    ASSERT_TRUE(probe.waitForLine("waiting"));
    expectOldFileAlone(stockPath);
    setMode(closed, 0777);
    probe.proceed();
    const ProbeReport report = probe.finish();
    expectFailedThenStockedOnce(report, createMessage(stockPath));
    EXPECT_EQ(TestFolder::readBytes(stockPath), crLfLines(oldEntries + QList<QByteArray>{name}));
}

TEST_F(StockFaultTest, FileUnreadableAtStartUp) {
    if (!canSwitchUser())
        GTEST_SKIP() << "needs root to run the probe as user 65534";
    writeOldFile(path);
    setMode(path, 0600);
    const ProbeReport report =
        ProbeProcess(path, {"load", "generated", stockCommand(name)}, User::Nobody).finish();
    ASSERT_TRUE(report.finished);
    EXPECT_EQ(report.errors, (QList<QByteArray>{openMessage(path), openMessage(path)}));
    EXPECT_TRUE(report.last().stockable);
    EXPECT_TRUE(report.last().entries.isEmpty());
    expectOldFileAlone(path);
}

// The lock cannot be made there either; the unreadable file is what the user must hear of.
TEST_F(StockFaultTest, FileUnreadableInAFolderWithoutWritePermission) {
    if (!canSwitchUser())
        GTEST_SKIP() << "needs root to run the probe as user 65534";
    const QString closed = folder.subfolder("closed");
    const QString stockPath = StockList::pathInDirectory(closed);
    writeOldFile(stockPath);
    setMode(stockPath, 0600);
    setMode(closed, 0755);
    const ProbeReport report =
        ProbeProcess(stockPath, {"load", "generated", stockCommand(name)}, User::Nobody).finish();
    ASSERT_TRUE(report.finished);
    EXPECT_EQ(report.errors, (QList<QByteArray>{openMessage(stockPath), openMessage(stockPath)}));
    EXPECT_TRUE(report.last().stockable);
    expectOldFileAlone(stockPath);
}

TEST_F(StockFaultTest, FileUnreadableAtAStock) {
    if (!canSwitchUser())
        GTEST_SKIP() << "needs root to run the probe as user 65534";
    writeOldFile(path);
    setMode(path, 0666);
    ProbeProcess probe(
        path, {"load", "generated", "wait", stockCommand(name), "show", "wait", stockCommand(name)},
        User::Nobody);
    ASSERT_TRUE(probe.waitForLine("waiting"));
    setMode(path, 0622);
    probe.proceed();
    ASSERT_TRUE(probe.waitForLine("waiting"));
    setMode(path, 0666);
    expectOldFileAlone(path);
    probe.proceed();
    expectFailedThenStockedOnce(probe.finish(), openMessage(path));
    EXPECT_EQ(TestFolder::readBytes(path), crLfLines(oldEntries + QList<QByteArray>{name}));
}

// Like a file held open by another program: the file's own protection is respected, even
// though the folder would allow replacing it.
TEST_F(StockFaultTest, WriteProtectedFile) {
    if (!canSwitchUser())
        GTEST_SKIP() << "needs root to run the probe as user 65534";
    writeOldFile(path);
    setMode(path, 0444);
    ProbeProcess probe(
        path, {"load", "generated", stockCommand(name), "show", "wait", stockCommand(name)},
        User::Nobody);
    ASSERT_TRUE(probe.waitForLine("waiting"));
    expectOldFileAlone(path);
    setMode(path, 0666);
    probe.proceed();
    expectFailedThenStockedOnce(probe.finish(), createMessage(path));
    EXPECT_EQ(TestFolder::readBytes(path), crLfLines(oldEntries + QList<QByteArray>{name}));
}

// 4096 bytes: the lock file still fits and the new stock file does not. 8 bytes: not even
// the lock file fits, and that is still the disk-full message, not the create one.
TEST_F(StockFaultTest, DiskFull) {
    oldEntries += numbered("\x83\x6d", 1000);
    writeOldFile(path);
    for (const char* limit : {"fsize=4096", "fsize=8"}) {
        SCOPED_TRACE(limit);
        ProbeProcess probe(path, {"load", "generated", limit, stockCommand(name), "show", "wait",
                                  "fsize=max", stockCommand(name)});
        ASSERT_TRUE(probe.waitForLine("waiting"));
        expectOldFileAlone(path);
        probe.proceed();
        expectFailedThenStockedOnce(probe.finish(), kWriteMessage);
        oldEntries += name;
        EXPECT_EQ(TestFolder::readBytes(path), crLfLines(oldEntries));
    }
}

TEST_F(StockFaultTest, FifoAtThePathNeverBlocks) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0666), 0);
    const ProbeReport report =
        ProbeProcess(path, {"load", "generated", stockCommand(name)}).finish(10'000);
    ASSERT_TRUE(report.finished);
    EXPECT_EQ(report.errors, (QList<QByteArray>{openMessage(path), openMessage(path)}));
    EXPECT_TRUE(report.last().stockable);
    struct stat status {};
    ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_EQ(TestFolder::names(folder.path()), QStringList{QFileInfo(path).fileName()});
}

TEST_F(StockFaultTest, LockHeldByARunningCopyFailsWithCreateError) {
    writeOldFile(path);
    NameStock stock(path);
    stock.list().load();
    stock.list().setLockTimeout(std::chrono::milliseconds(200));
    stock.nameGenerated();
    ProbeProcess holder(path, {"hold-lock"});
    ASSERT_TRUE(holder.waitForLine("locked"));
    try {
        stock.stockIfStockable(name);
        ADD_FAILURE() << "stocked while another copy held the lock";
    } catch (const AppError& error) {
        EXPECT_EQ(QByteArray(error.what()), createMessage(path));
    }
    EXPECT_TRUE(stock.stockable());
    EXPECT_EQ(stock.list().entries(), oldEntries);
    EXPECT_EQ(TestFolder::readBytes(path), crLfLines(oldEntries));
    holder.kill();
    EXPECT_TRUE(stock.stockIfStockable(name));
    EXPECT_EQ(TestFolder::readBytes(path), crLfLines(oldEntries + QList<QByteArray>{name}));
}

TEST_F(StockFaultTest, LockLeftByAKilledCopyIsTakenOver) {
    writeOldFile(path);
    ProbeProcess holder(path, {"hold-lock"});
    ASSERT_TRUE(holder.waitForLine("locked"));
    holder.kill();
    ASSERT_TRUE(QFile::exists(path + ".lock"));

    NameStock stock(path);
    stock.list().load();
    stock.list().setLockTimeout(std::chrono::milliseconds(2000));
    stock.nameGenerated();
    EXPECT_TRUE(stock.stockIfStockable(name));
    EXPECT_EQ(TestFolder::readBytes(path), crLfLines(oldEntries + QList<QByteArray>{name}));
    EXPECT_FALSE(QFile::exists(path + ".lock"));
}

// A process killed between making the lock file and writing its id into it leaves an empty
// lock: taken over once it is clearly old, respected while it may still be being written.
TEST_F(StockFaultTest, EmptyLockIsTakenOverOnlyWhenOld) {
    writeOldFile(path);
    const QString lockPath = path + ".lock";
    TestFolder::writeBytes(lockPath, "");
    NameStock stock(path);
    stock.list().load();
    stock.list().setLockTimeout(std::chrono::milliseconds(200));
    stock.nameGenerated();
    EXPECT_THROW(stock.stockIfStockable(name), AppError);
    EXPECT_EQ(TestFolder::readBytes(path), crLfLines(oldEntries));

    const timeval old[2] = {{1'000'000'000, 0}, {1'000'000'000, 0}};
    ASSERT_EQ(::utimes(QFile::encodeName(lockPath).constData(), old), 0);
    EXPECT_TRUE(stock.stockIfStockable(name));
    EXPECT_EQ(TestFolder::readBytes(path), crLfLines(oldEntries + QList<QByteArray>{name}));
}

TEST_F(StockFaultTest, TwoCopiesStockingAtOnceLoseNothing) {
    constexpr int kEach = 500;
    const QStringList timeout{"lock-timeout=60000", "load"};
    ProbeProcess first(path, timeout + QStringList{"many=41:500:2000"});
    ProbeProcess second(path, timeout + QStringList{"many=42:500:2000"});
    const ProbeReport firstReport = first.finish(120'000);
    const ProbeReport secondReport = second.finish(120'000);
    ASSERT_TRUE(firstReport.finished && secondReport.finished);
    EXPECT_TRUE(firstReport.errors.isEmpty()) << firstReport.errors.value(0).toStdString();
    EXPECT_TRUE(secondReport.errors.isEmpty()) << secondReport.errors.value(0).toStdString();

    const QList<QByteArray> lines = StockText::fromFileBytes(TestFolder::readBytes(path)).entries();
    ASSERT_EQ(lines.size(), 2 * kEach);
    QList<QByteArray> fromFirst;
    QList<QByteArray> fromSecond;
    for (const QByteArray& line : lines)
        (line.startsWith('A') ? fromFirst : fromSecond).append(line);
    EXPECT_EQ(fromFirst, numbered("A", kEach));
    EXPECT_EQ(fromSecond, numbered("B", kEach));
}

// Whatever moment the kill lands on, the file is one that some whole number of stocks
// left: in the stock format, with the old entries first and the new names in order.
TEST_F(StockFaultTest, KilledAtARandomMomentLeavesOldOrNewFileWhole) {
    writeOldFile(path);
    QList<QByteArray> expected = oldEntries;
    std::mt19937 random(std::random_device{}());
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE(round);
        const QByteArray prefix = "K" + QByteArray::number(round) + "-";
        // A first stock before the mark, so that a lock left by the last round's kill has
        // been taken over when the kill of this round comes.
        ProbeProcess probe(path, {"lock-timeout=10000", "load", "generated",
                                  stockCommand(prefix + "first"), "mark",
                                  "many=" + QString::fromLatin1(prefix.toHex()) + ":1000000"});
        ASSERT_TRUE(probe.waitForLine("mark"));
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 30'000));
        probe.kill();

        const QByteArray bytes = TestFolder::readBytes(path);
        const StockText text = StockText::fromFileBytes(bytes);
        ASSERT_EQ(text.bytes(), bytes) << "not whole";
        const QList<QByteArray> entries = text.entries();
        ASSERT_GT(entries.size(), expected.size());
        const qsizetype added = entries.size() - expected.size();
        expected += QList<QByteArray>{prefix + "first"} + numbered(prefix, int(added - 1));
        ASSERT_EQ(entries, expected);
    }
    NameStock stock(path);
    stock.list().load();
    stock.nameGenerated();
    EXPECT_TRUE(stock.stockIfStockable(name));
    EXPECT_EQ(TestFolder::readBytes(path), crLfLines(expected + QList<QByteArray>{name}));
}

} // namespace
} // namespace kanatsumugi
