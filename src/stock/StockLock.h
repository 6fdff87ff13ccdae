#pragma once

#include <QLockFile>
#include <QString>

#include <chrono>

namespace kanatsumugi {

// The lock beside the stock file that lets only one copy of the program stock at a time.
// A lock left by a process that died is taken over.
class StockLock {
public:
    explicit StockLock(const QString& lockPath);

    enum class Result {
        Acquired,
        HeldElsewhere, // still held by another copy when the time ran out
        NotCreated,    // the lock file cannot be made (no right to write the folder)
        NotWritten,    // the lock file was made but its contents did not fit (disk full)
    };

    // Waits up to `timeout` for the lock.
    Result acquire(std::chrono::milliseconds timeout);

private:
    bool isUnwrittenAndOld() const;

    QString path_;
    QLockFile file_;
};

} // namespace kanatsumugi
