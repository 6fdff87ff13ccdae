// Faults that need a second process: other users, a file size or memory limit, a lock left
// by a killed process, two copies stocking at once, a kill in the middle of a stock.

#include "ProbeProcess.h"
#include "TestFolder.h"
#include "apperror/AppError.h"
#include "stock/NameStock.h"
#include "stock/ShiftJisText.h"
#include "stock/StockList.h"
#include "stock/StockText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/file.h>
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

using test::kNobody;
using test::kRoot;
// Two members of the shared group 3000.
constexpr User kFirstMember{1001, 1001, 3000};
constexpr User kSecondMember{1002, 1002, 3000};
constexpr int kSharedGroup = 3000;

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
    for (int i = 0; i < count; ++i) {
        names.append(prefix + QByteArray::number(i));
    }
    return names;
}

void setOwner(const QString& path, int uid, int gid, int mode) {
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), static_cast<uid_t>(uid),
                      static_cast<gid_t>(gid)),
              0);
    setMode(path, mode);
}

bool lockedElsewhere(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    const bool locked = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
    ::close(fd);
    return locked;
}

struct stat statusOf(const QString& path) {
    struct stat status {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status;
}

class StockFaultTest : public testing::Test {
protected:
    // Running a probe as another user takes root.
    static bool canSwitchUser() { return ::geteuid() == 0; }

    // A folder of the group 3000 that its members may write, as `chmod 2775` makes it.
    QString sharedFolder() {
        QString shared = folder.subfolder("shared");
        setOwner(shared, 0, kSharedGroup, 02775);
        return shared;
    }

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

TEST_F(StockFaultTest, FileUnreadableAtStartUp) {
    if (!canSwitchUser()) {
        GTEST_SKIP() << "needs root to run the probe as user 65534";
    }
    writeOldFile(path);
    setMode(path, 0600);
    const ProbeReport report =
        ProbeProcess(path, {"load", "generated", stockCommand(name)}, kNobody).finish();
    ASSERT_TRUE(report.finished);
    EXPECT_EQ(report.errors, (QList<QByteArray>{openMessage(path), openMessage(path)}));
    EXPECT_TRUE(report.last().stockable);
    EXPECT_TRUE(report.last().entries.isEmpty());
    expectOldFileAlone(path);
}

TEST_F(StockFaultTest, FileUnreadableAtAStock) {
    if (!canSwitchUser()) {
        GTEST_SKIP() << "needs root to run the probe as user 65534";
    }
    writeOldFile(path);
    setMode(path, 0666);
    ProbeProcess probe(
        path, {"load", "generated", "wait", stockCommand(name), "show", "wait", stockCommand(name)},
        kNobody);
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
    if (!canSwitchUser()) {
        GTEST_SKIP() << "needs root to run the probe as user 65534";
    }
    writeOldFile(path);
    setMode(path, 0444);
    ProbeProcess probe(
        path, {"load", "generated", stockCommand(name), "show", "wait", stockCommand(name)},
        kNobody);
    ASSERT_TRUE(probe.waitForLine("waiting"));
    expectOldFileAlone(path);
    setMode(path, 0666);
    probe.proceed();
    expectFailedThenStockedOnce(probe.finish(), createMessage(path));
    EXPECT_EQ(TestFolder::readBytes(path), crLfLines(oldEntries + QList<QByteArray>{name}));
}

// A file-size limit that leaves room for only part of the new line: what of it was written is
// taken back. So it is again through a second name of the file.
TEST_F(StockFaultTest, DiskFull) {
    oldEntries += numbered("\x83\x6d", 1000);
    writeOldFile(path);
    const TestFolder elsewhere;
    for (const bool hardLink : {false, true}) {
        SCOPED_TRACE(hardLink);
        if (hardLink) {
            const QByteArray otherName = QFile::encodeName(elsewhere.path()) + "/name";
            ASSERT_EQ(::link(QFile::encodeName(path).constData(), otherName.constData()), 0);
        }
        // Room for two bytes of the new line.
        const QString limit = QStringLiteral("fsize=%1").arg(crLfLines(oldEntries).size() + 2);
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
        stock.stockIfStockable(fromShiftJis(name));
        ADD_FAILURE() << "stocked while another copy held the lock";
    } catch (const AppError& error) {
        EXPECT_EQ(QByteArray(error.what()), createMessage(path));
    }
    EXPECT_TRUE(stock.stockable());
    EXPECT_EQ(stock.list().entries(), oldEntries);
    EXPECT_EQ(TestFolder::readBytes(path), crLfLines(oldEntries));
    holder.kill();
    EXPECT_TRUE(stock.stockIfStockable(fromShiftJis(name)));
    EXPECT_EQ(TestFolder::readBytes(path), crLfLines(oldEntries + QList<QByteArray>{name}));
}

// An editor saves by rename while a stock waits for the lock: the name goes into the new file.
TEST_F(StockFaultTest, FileReplacedWhileAStockWaitsGetsTheName) {
    writeOldFile(path);
    ProbeProcess holder(path, {"hold-lock"});
    ASSERT_TRUE(holder.waitForLine("locked"));
    ProbeProcess stocking(path, {"generated", "mark", stockCommand(name)});
    ASSERT_TRUE(stocking.waitForLine("mark"));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const QString saved = folder.path() + "/saved";
    TestFolder::writeBytes(saved, "E\r\n");
    ASSERT_EQ(::rename(QFile::encodeName(saved).constData(), QFile::encodeName(path).constData()),
              0);
    holder.kill();
    EXPECT_TRUE(stocking.finish().errors.isEmpty());
    EXPECT_EQ(TestFolder::readBytes(path), "E\r\n" + name + "\r\n");
    // The same while the stock syncs its line, held there by strace.
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    ProbeProcess syncing(path, {"generated", "mark", stockCommand(name)}, kRoot,
                         {strace, "-f", "-o/dev/null", "-einject=fsync:delay_enter=1000000"});
    ASSERT_TRUE(!strace.isEmpty() && syncing.waitForLine("mark"));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    TestFolder::writeBytes(saved, "F\r\n");
    ASSERT_EQ(::rename(QFile::encodeName(saved).constData(), QFile::encodeName(path).constData()),
              0);
    EXPECT_TRUE(syncing.finish().errors.isEmpty());
    EXPECT_EQ(TestFolder::readBytes(path), "F\r\n" + name + "\r\n");
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

    const QList<QByteArray> lines = parseStockEntries(TestFolder::readBytes(path));
    ASSERT_EQ(lines.size(), 2 * kEach);
    QList<QByteArray> fromFirst;
    QList<QByteArray> fromSecond;
    for (const QByteArray& line : lines) {
        (line.startsWith('A') ? fromFirst : fromSecond).append(line);
    }
    EXPECT_EQ(fromFirst, numbered("A", kEach));
    EXPECT_EQ(fromSecond, numbered("B", kEach));
}

// Whatever moment the kill lands on, the file is one that some whole number of stocks
// left: in the stock format, with the old entries first and the new names in order, also
// through a second name of the file.
TEST_F(StockFaultTest, KilledAtARandomMomentLeavesOldOrNewFileWhole) {
    writeOldFile(path);
    QList<QByteArray> expected = oldEntries;
    std::mt19937 random(std::random_device{}());
    const TestFolder elsewhere;
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE(round);
        if (round == 6) {
            const QByteArray otherName = QFile::encodeName(elsewhere.path()) + "/name";
            ASSERT_EQ(::link(QFile::encodeName(path).constData(), otherName.constData()), 0);
        }
        const QByteArray prefix = "K" + QByteArray::number(round) + "-";
        ProbeProcess probe(path, {"lock-timeout=10000", "load", "generated",
                                  stockCommand(prefix + "first"), "mark",
                                  "many=" + QString::fromLatin1(prefix.toHex()) + ":1000000"});
        ASSERT_TRUE(probe.waitForLine("mark"));
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 30'000));
        probe.kill();

        const QByteArray bytes = TestFolder::readBytes(path);
        ASSERT_EQ(crLfLines(parseStockEntries(bytes)), bytes) << "not whole";
        const QList<QByteArray> entries = parseStockEntries(bytes);
        ASSERT_GT(entries.size(), expected.size());
        const qsizetype added = entries.size() - expected.size();
        expected += QList<QByteArray>{prefix + "first"} + numbered(prefix, int(added - 1));
        ASSERT_EQ(entries, expected);
    }
    NameStock stock(path);
    stock.list().load();
    stock.nameGenerated();
    EXPECT_TRUE(stock.stockIfStockable(fromShiftJis(name)));
    EXPECT_EQ(TestFolder::readBytes(path), crLfLines(expected + QList<QByteArray>{name}));
}

// A kill while the stock's write or sync is held, on a file another program wrote with lone
// line feeds and that has a second name: the old bytes stay as they were, and the new line is
// there whole or not at all.
TEST_F(StockFaultTest, KilledInsideItsWriteOrSyncChangesNoOldByte) {
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty()) {
        GTEST_SKIP() << "needs strace to hold the probe inside a call";
    }
    const QByteArray old = numbered("\x83\x6d", 50000).join('\n') + '\n';
    TestFolder::writeBytes(path, old);
    const TestFolder elsewhere;
    const QByteArray otherName = QFile::encodeName(elsewhere.path()) + "/name";
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), otherName.constData()), 0);
    // The call held for 2 s (the probe's first write is its "mark"), and whether the new line
    // is in the file when the kill comes.
    const std::pair<QString, bool> cases[] = {{"write:delay_enter=2000000:when=2+", false},
                                              {"write:delay_exit=2000000:when=2+", true},
                                              {"fsync:delay_enter=2000000", true}};
    for (const auto& [inject, written] : cases) {
        SCOPED_TRACE(inject.toStdString());
        TestFolder::writeBytes(path, old);
        ProbeProcess probe(
            path, {"load", "generated", "mark", stockCommand(name)}, kRoot,
            {strace, "-f", "-o", "/dev/null", "-e", "trace=write,fsync", "-e", "inject=" + inject});
        ASSERT_TRUE(probe.waitForLine("mark"));
        const QString tracer = QString::number(probe.processId());
        QFile children("/proc/" + tracer + "/task/" + tracer + "/children");
        ASSERT_TRUE(children.open(QIODevice::ReadOnly));
        const pid_t traced = children.readAll().trimmed().toInt();
        for (int wait = 0; wait < 400 && !lockedElsewhere(path); ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ASSERT_EQ(::kill(traced, SIGKILL), 0);
        probe.finish(10'000);
        EXPECT_EQ(TestFolder::readBytes(path), written ? old + name + "\r\n" : old);
    }
}

// A shell's `>>` appending beside a stocking copy: both append, so neither loses a line.
TEST_F(StockFaultTest, ShellAppendingBesideAStockLosesNothing) {
    TestFolder::writeBytes(path, crLfLines(numbered("O", 50000)));
    ProbeProcess stocking(path, {"lock-timeout=60000", "load", "many=41:400:1000"});
    QProcess shell;
    shell.start("sh",
                {"-c", R"(for i in $(seq 0 399); do printf 'S%d\r\n' $i >> "$0"; done)", path});
    ASSERT_TRUE(shell.waitForFinished(60'000));
    ASSERT_TRUE(stocking.finish(120'000).finished);
    QMap<char, QList<QByteArray>> byWriter;
    for (const QByteArray& line : parseStockEntries(TestFolder::readBytes(path))) {
        byWriter[line[0]].append(line);
    }
    EXPECT_EQ(byWriter['O'], numbered("O", 50000));
    EXPECT_EQ(byWriter['S'], numbered("S", 400));
    EXPECT_EQ(byWriter['A'], numbered("A", 400));
}

// A copy once started with sudo makes the file in the user's folder: it is the user's, who
// then stocks into it.
TEST_F(StockFaultTest, FileMadeByRootInAUsersFolderIsTheUsers) {
    if (!canSwitchUser()) {
        GTEST_SKIP() << "needs root";
    }
    const QString home = folder.subfolder("home");
    setOwner(home, kFirstMember.uid, kFirstMember.gid, 0755);
    const QString stockPath = StockList::pathInDirectory(home);
    const QStringList commands{"load", "generated", stockCommand(name)};
    EXPECT_TRUE(ProbeProcess(stockPath, commands).finish().errors.isEmpty());
    EXPECT_EQ(statusOf(stockPath).st_uid, uid_t(kFirstMember.uid));
    EXPECT_EQ(statusOf(stockPath).st_gid, gid_t(kFirstMember.gid));
    const ProbeReport report = ProbeProcess(stockPath, commands, kFirstMember).finish();
    EXPECT_TRUE(report.errors.isEmpty()) << report.errors.value(0).toStdString();
    EXPECT_EQ(TestFolder::readBytes(stockPath), crLfLines({name, name}));
    // A link the user put there, to a folder of root's: the file made through it stays root's.
    const QString target = folder.subfolder("root") + "/made";
    ASSERT_TRUE(QFile::remove(stockPath) && QFile::link(target, stockPath));
    EXPECT_TRUE(ProbeProcess(stockPath, commands).finish().errors.isEmpty());
    EXPECT_EQ(statusOf(target).st_uid, uid_t(0));
}

// Three folders, the stock file of one a link to the first's, of the other a second name of
// it: all copies take one lock.
// And a link in a folder this user may not write, to a file in one they may, stocks too.
TEST_F(StockFaultTest, EveryPathToOneFileSharesItsLock) {
    constexpr int kEach = 300;
    const QString first = StockList::pathInDirectory(folder.subfolder("A"));
    const QString second = StockList::pathInDirectory(folder.subfolder("B"));
    const QString third = StockList::pathInDirectory(folder.subfolder("C"));
    ASSERT_TRUE(QFile::link(first, second));
    TestFolder::writeBytes(first, "");
    ASSERT_EQ(::link(QFile::encodeName(first).constData(), QFile::encodeName(third).constData()),
              0);
    const QStringList timeout{"lock-timeout=60000", "load"};
    ProbeProcess viaFile(first, timeout + QStringList{"many=41:300"});
    ProbeProcess viaLink(second, timeout + QStringList{"many=42:300"});
    ProbeProcess viaHardLink(third, timeout + QStringList{"many=43:300"});
    const ProbeReport fileReport = viaFile.finish(120'000);
    const ProbeReport linkReport = viaLink.finish(120'000);
    const ProbeReport hardLinkReport = viaHardLink.finish(120'000);
    ASSERT_TRUE(fileReport.finished && linkReport.finished && hardLinkReport.finished);
    EXPECT_TRUE(fileReport.errors.isEmpty() && linkReport.errors.isEmpty() &&
                hardLinkReport.errors.isEmpty());
    EXPECT_EQ(parseStockEntries(TestFolder::readBytes(first)).size(), 3 * kEach);

    if (!canSwitchUser()) {
        GTEST_SKIP() << "needs root to run the probe as user 65534";
    }
    setMode(first, 0666);
    const QString closed = folder.subfolder("closed");
    const QString viaClosed = StockList::pathInDirectory(closed);
    ASSERT_TRUE(QFile::link(first, viaClosed));
    setMode(closed, 0755);
    const ProbeReport report =
        ProbeProcess(viaClosed, {"load", "generated", stockCommand(name)}, kNobody).finish();
    ASSERT_TRUE(report.finished);
    EXPECT_TRUE(report.errors.isEmpty()) << report.errors.value(0).toStdString();
    EXPECT_EQ(report.last().entries.size(), 3 * kEach + 1);
}

// Whoever stocks, the file stays the same file: its owner, group and mode, its other names,
// and a folder this user may not write is no obstacle.
TEST_F(StockFaultTest, StockKeepsTheFileItself) {
    if (!canSwitchUser()) {
        GTEST_SKIP() << "needs root to make files of other users";
    }
    struct Case {
        const char* what;
        User stocker;
        int owner;
        int group;
        int mode;
        int folderMode;
        bool hardLink;
    };
    const Case cases[] = {
        {"another member of a shared group", kSecondMember, 1001, kSharedGroup, 0660, 02775, false},
        {"root, on a user's file", kRoot, 1001, 1001, 0644, 0755, false},
        {"a file with a second name", kRoot, 0, 0, 0644, 0755, true},
        {"a folder this user may not write", kNobody, 0, 0, 0666, 0755, false},
        {"the owner, mode kept", kFirstMember, 1001, kSharedGroup, 0640, 02775, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString where = folder.subfolder(QString::fromLatin1(c.what));
        const QString stockPath = StockList::pathInDirectory(where);
        const QString otherName = folder.path() + "/other-name-" + QString::fromLatin1(c.what);
        writeOldFile(stockPath);
        setOwner(stockPath, c.owner, c.group, c.mode);
        if (c.hardLink) {
            ASSERT_EQ(::link(QFile::encodeName(stockPath).constData(),
                             QFile::encodeName(otherName).constData()),
                      0);
        }
        setOwner(where, 0, kSharedGroup, c.folderMode);
        const struct stat before = statusOf(stockPath);

        const ProbeReport report =
            ProbeProcess(stockPath, {"load", "generated", stockCommand(name)}, c.stocker).finish();
        ASSERT_TRUE(report.finished);
        EXPECT_TRUE(report.errors.isEmpty()) << report.errors.value(0).toStdString();
        const QByteArray expected = crLfLines(oldEntries + QList<QByteArray>{name});
        EXPECT_EQ(TestFolder::readBytes(stockPath), expected);
        const struct stat after = statusOf(stockPath);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_nlink, before.st_nlink);
        if (c.hardLink) {
            EXPECT_EQ(TestFolder::readBytes(otherName), expected);
        }
        EXPECT_EQ(TestFolder::names(where), QStringList{QFileInfo(stockPath).fileName()});
    }
}

// Only a full disk or quota, or a file-size limit, is the write error; a file that cannot be
// made is the create error, whatever the reason.
TEST_F(StockFaultTest, FileThatCannotBeMadeIsTheCreateError) {
    const QString gone = folder.subfolder("gone");
    const QString notAFolder = folder.path() + "/file";
    TestFolder::writeBytes(notAFolder, "x");
    const QString tooLong = folder.path() + "/" + QString(300, u'n');
    for (const QString& stockPath :
         {StockList::pathInDirectory(gone), StockList::pathInDirectory(notAFolder),
          StockList::pathInDirectory(tooLong)}) {
        SCOPED_TRACE(stockPath.toStdString());
        NameStock stock(stockPath);
        stock.nameGenerated();
        QDir(gone).removeRecursively();
        try {
            stock.stockIfStockable(QStringLiteral("N"));
            ADD_FAILURE() << "stocked";
        } catch (const AppError& error) {
            EXPECT_EQ(QByteArray(error.what()), createMessage(stockPath));
        }
    }
    if (!canSwitchUser()) {
        GTEST_SKIP() << "needs root to run the probe as user 65534";
    }
    const QString closed = folder.subfolder("closed", 0755);
    const QString stockPath = StockList::pathInDirectory(closed);
    const ProbeReport report =
        ProbeProcess(stockPath, {"load", "generated", stockCommand(name)}, kNobody).finish();
    ASSERT_TRUE(report.finished);
    EXPECT_EQ(report.errors, QList<QByteArray>{createMessage(stockPath)});
    EXPECT_TRUE(TestFolder::names(closed).isEmpty());
}

// Started in a folder named in Shift-JIS (カナ), the program reads and stocks its file, and a
// message shows the folder's name as the user knows it.
TEST_F(StockFaultTest, FolderNamedInShiftJis) {
    const QByteArray kana = "\x83\x4a\x83\x69";
    const QByteArray folderBytes = QFile::encodeName(folder.path()) + "/" + kana;
    ASSERT_EQ(::mkdir(folderBytes.constData(), 0777), 0);
    const QByteArray stockBytes = folderBytes + "/" + StockList::kFileName;
    QFile file(QFile::decodeName(stockBytes));
    {
        const int fd = ::open(stockBytes.constData(), O_WRONLY | O_CREAT, 0666);
        ASSERT_GE(fd, 0);
        const QByteArray old = crLfLines(oldEntries);
        ASSERT_EQ(::write(fd, old.constData(), static_cast<size_t>(old.size())), old.size());
        ::close(fd);
    }
    const QString start = "cd=" + QString::fromLatin1(folderBytes.toHex());
    const ProbeReport report =
        ProbeProcess(start, {"load", "generated", stockCommand(name)}).finish();
    ASSERT_TRUE(report.finished);
    EXPECT_TRUE(report.errors.isEmpty()) << report.errors.value(0).toStdString();
    EXPECT_EQ(report.last().entries, oldEntries + QList<QByteArray>{name});

    ASSERT_EQ(::unlink(stockBytes.constData()), 0);
    ASSERT_EQ(::mkfifo(stockBytes.constData(), 0666), 0);
    const ProbeReport fifo = ProbeProcess(start, {"load"}).finish();
    EXPECT_EQ(fifo.errors, QList<QByteArray>{openMessage(folder.path() + QStringLiteral("/カナ/") +
                                                         QString::fromUtf8(StockList::kFileName))});
}

// Bigger than the machine's memory, or than what the process may have: the open error, and
// the file stays as it was.
TEST_F(StockFaultTest, FileLargerThanMemory) {
    const off_t memory = static_cast<off_t>(::sysconf(_SC_PHYS_PAGES)) * ::sysconf(_SC_PAGESIZE);
    for (const off_t size : {off_t{128} << 20, 2 * memory}) {
        SCOPED_TRACE(size);
        TestFolder::writeBytes(path, "A\r\n");
        ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), size), 0);
        const ProbeReport report =
            ProbeProcess(path, {"memory=64", "load", "generated", stockCommand(name)}).finish();
        ASSERT_TRUE(report.finished);
        EXPECT_EQ(report.errors, (QList<QByteArray>{openMessage(path), openMessage(path)}));
        EXPECT_TRUE(report.last().stockable);
        EXPECT_EQ(statusOf(path).st_size, size);
        EXPECT_LT(statusOf(path).st_blocks * 512, off_t{1} << 20);
        QFile head(path);
        ASSERT_TRUE(head.open(QIODevice::ReadOnly));
        EXPECT_EQ(head.read(4), QByteArray("A\r\n\0", 4));
        EXPECT_EQ(TestFolder::names(folder.path()), QStringList{QFileInfo(path).fileName()});
    }
    // Names enough to load once, but not to stock beside a second reading and the new text.
    const QByteArray names = (QByteArray(1022, 'A') + "\r\n").repeated(qsizetype{40} * 1024);
    TestFolder::writeBytes(path, names);
    const ProbeReport report =
        ProbeProcess(path, {"memory=64", "load", "generated", stockCommand(name), "memory=100000"})
            .finish();
    ASSERT_TRUE(report.finished);
    EXPECT_EQ(report.errors, QList<QByteArray>{openMessage(path)});
    EXPECT_TRUE(report.last().stockable);
    EXPECT_EQ(TestFolder::readBytes(path), names);
}

} // namespace
} // namespace kanatsumugi
