#pragma once

#include "stock/StockFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <chrono>

namespace kanatsumugi {

// The kept names (Shift-JIS byte strings, in order, duplicates allowed) and the
// file that mirrors them. Every failure raises AppError with the message shown
// to the user; a failed operation changes neither the list nor the file.
class StockList {
public:
    static constexpr char kFileName[] = "今まで名付けた名前.txt";
    static constexpr std::chrono::milliseconds kDefaultLockTimeout = kStockLockTimeout;

    // The stock file's path for a working directory: the directory, "/", the file name.
    // A directory that already ends in "/" (the root) keeps the doubled separator.
    static QString pathInDirectory(const QString& workingDirectory);
    // The same for the process's working directory, as the bytes the system reports: a
    // folder whose name is not UTF-8 is still reached.
    static QByteArray pathInWorkingDirectory();

    explicit StockList(QByteArray nativePath);
    explicit StockList(const QString& filePath);

    // The path as messages show it.
    [[nodiscard]] const QString& shownPath() const { return shownPath_; }
    // Split anew at each call.
    [[nodiscard]] QList<QByteArray> entries() const;

    // Replaces the entries with the file's, read under its lock; a missing file (or a directory)
    // leaves the list empty. A file that exists but cannot be read, is no regular file, stays
    // locked past the lock timeout or does not fit in memory raises the open error.
    void load();

    // Under the file's lock: re-reads the file and appends `entry`; what the file already holds
    // is never rewritten. A file deleted since is written again from the list. An entry holding
    // a line break or a NUL byte is kept as the file reads it back. When the lock is not had
    // within the lock timeout, raises the create error; an unreadable file or a full disk keeps
    // its own message.
    void stock(const QByteArray& entry);
    // The same for several entries at once, in one locked write: all are kept, or none.
    // No entries, nothing done.
    void stockAll(const QList<QByteArray>& entries);

    void setLockTimeout(std::chrono::milliseconds timeout) { lockTimeout_ = timeout; }

private:
    QByteArray path_;
    QString shownPath_;
    QByteArray text_; // the file's bytes as last read or written, up to the first NUL
    std::chrono::milliseconds lockTimeout_ = kDefaultLockTimeout;
};

} // namespace kanatsumugi
