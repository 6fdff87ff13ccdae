#include "stock/StockLock.h"

#include <QDateTime>
#include <QFileInfo>

#include <algorithm>
#include <thread>

namespace kanatsumugi {

namespace {

// Far longer than any stock takes; only matters when the holder's process id cannot be
// checked (another host) or has been reused.
constexpr std::chrono::milliseconds kStaleAfter{30'000};

// A holder writes its process id the moment it has made the lock file. A file still without
// one after this long was left by a process killed in between.
constexpr std::chrono::milliseconds kUnwrittenStaleAfter{1'000};

// QLockFile's own wait sleeps 100 ms and more between tries; a stock holds the lock for
// milliseconds, so try more often.
constexpr std::chrono::milliseconds kFirstPause{1};
constexpr std::chrono::milliseconds kLongestPause{4};

} // namespace

StockLock::StockLock(const QString& lockPath)
    : path_(lockPath)
    , file_(lockPath) {
    file_.setStaleLockTime(kStaleAfter);
}

StockLock::Result StockLock::acquire(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    auto pause = kFirstPause;
    for (;;) {
        if (file_.tryLock(std::chrono::milliseconds::zero()))
            return Result::Acquired;
        switch (file_.error()) {
        case QLockFile::LockFailedError:
            break;
        case QLockFile::UnknownError: // Qt's report for a lock file it could not fill
            return Result::NotWritten;
        default:
            return Result::NotCreated;
        }
        if (isUnwrittenAndOld() && file_.removeStaleLockFile())
            continue;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return Result::HeldElsewhere;
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, kLongestPause);
    }
}

bool StockLock::isUnwrittenAndOld() const {
    qint64 pid = 0;
    QString hostName;
    QString appName;
    if (file_.getLockInfo(&pid, &hostName, &appName))
        return false;
    const QDateTime modified = QFileInfo(path_).lastModified();
    return modified.isValid() &&
           modified.msecsTo(QDateTime::currentDateTimeUtc()) > kUnwrittenStaleAfter.count();
}

} // namespace kanatsumugi
