#pragma once

#include "apperror/AppError.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <sys/stat.h>

namespace kanatsumugi {

// An open file descriptor, closed when it goes.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1)
        : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    ~FileDescriptor();

    [[nodiscard]] int get() const { return fd_; }
    [[nodiscard]] bool isOpen() const { return fd_ >= 0; }

private:
    int fd_;
};

enum class FileState {
    Missing,   // nothing there (or a dangling link)
    Directory, // a directory of that name, which counts as no file
    Read,      // a regular file, read whole
};

struct FileContents {
    FileState state = FileState::Missing;
    QByteArray bytes;
};

// Reads the stock file at `path` whole. Anything but a regular file is never opened, so a
// FIFO cannot block. A file that exists but cannot be read, is no regular file or does not
// fit in memory raises the open error, naming `shownPath`.
FileContents readStockFile(const QByteArray& path, const QString& shownPath);

// The stock file, held under the one lock that every copy of the program takes for it,
// whatever path (link, hard link, another user's folder) it reached the file by.
class LockedStockFile {
public:
    // Waits up to `timeout` for the lock, then reads the file. Raises the create error when
    // another copy held the lock all that time, the open error for an unreadable file.
    LockedStockFile(const QByteArray& path, QString shownPath, std::chrono::milliseconds timeout);
    LockedStockFile(const LockedStockFile&) = delete;
    LockedStockFile& operator=(const LockedStockFile&) = delete;

    [[nodiscard]] const FileContents& contents() const { return contents_; }

    // Makes `bytes` the file's contents and syncs them to disk. The file is replaced by a
    // new one only where that cannot be told apart from the old (owner, group, mode,
    // extended attributes such as an access list, one link, a folder this user may write);
    // otherwise it is written in place, and bytes that already match are not written again.
    // On failure the file keeps its old bytes.
    void write(const QByteArray& bytes);

private:
    void takeLockFile(std::chrono::steady_clock::time_point deadline);
    void openAndLockFile(std::chrono::steady_clock::time_point deadline);
    [[nodiscard]] AppError heldElsewhere() const;
    void create(const QByteArray& bytes);
    bool replace(const QByteArray& bytes);
    void writeInPlace(int fd, const QByteArray& bytes);

    // The lock file, removed while still held: a copy that opened it meanwhile finds, once it
    // has the lock, that the name no longer leads to it, and tries again.
    struct LockFile {
        QByteArray path;
        FileDescriptor fd;
        ~LockFile();
    };

    QByteArray realPath_;
    QString shownPath_;
    LockFile lock_;
    FileDescriptor file_;
    struct stat status_ {};
    FileContents contents_;
};

} // namespace kanatsumugi
