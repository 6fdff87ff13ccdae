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

    // Waits up to `timeout` for the lock; false when it is held elsewhere or cannot be made.
    bool acquire(std::chrono::milliseconds timeout);

private:
    bool isUnwrittenAndOld() const;

    QString path_;
    QLockFile file_;
};

} // namespace kanatsumugi
