#pragma once

#include "apperror/AppError.h"
#include "stock/StockLock.h"
#include "stock/StockText.h"

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
    static constexpr std::chrono::milliseconds kDefaultLockTimeout{5'000};

    // The stock file's path for a working directory: the directory, "/", the file name.
    // A directory that already ends in "/" (the root) keeps the doubled separator.
    static QString pathInDirectory(const QString& workingDirectory);

    explicit StockList(QString filePath);

    const QString& filePath() const { return filePath_; }
    // Built on first use (a large stock is otherwise never split up); a reference once
    // handed out follows later loads and stocks.
    const QList<QByteArray>& entries() const;
    qsizetype count() const { return text_.count(); }

    // Replaces the entries with the file's; a missing file (or a directory) leaves the list empty.
    // A file that exists but cannot be read, or is no regular file, raises the open error.
    void load();

    // Under the folder's lock: re-reads the file, appends `entry`, replaces the file atomically.
    // A file deleted since is written again from the list. An entry holding a line break or a
    // NUL byte is kept as the file reads it back. When the lock is not had within the lock
    // timeout, raises the create error; an unreadable file or a full disk keeps its own message.
    void stock(const QByteArray& entry);

    void setLockTimeout(std::chrono::milliseconds timeout) { lockTimeout_ = timeout; }

private:
    StockText currentText(qsizetype spareCapacity) const;
    AppError lockError(StockLock::Result result) const;
    void replaceText(StockText text);

    QString filePath_;
    StockText text_;
    std::chrono::milliseconds lockTimeout_ = kDefaultLockTimeout;
    mutable QList<QByteArray> entries_;
    mutable bool entriesBuilt_ = false;
};

} // namespace kanatsumugi
