#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>

namespace kanatsumugi {

// How long a reader or a stock waits while another copy of the program holds the file's lock.
constexpr std::chrono::milliseconds kStockLockTimeout{5'000};

enum class FileState {
    Missing,   // nothing there (or a dangling link)
    Directory, // a directory of that name, which counts as no file
    Read,      // a regular file, read whole
};

struct FileContents {
    FileState state = FileState::Missing;
    QByteArray bytes;
};

// Reads the stock file at `path` whole, under a shared lock, so that no stock is half seen.
// A file that exists but cannot be read, is no regular file, stays locked past `timeout` or
// does not fit in memory raises the open error, naming `shownPath`.
FileContents readStockFile(const QByteArray& path, const QString& shownPath,
                           std::chrono::milliseconds timeout = kStockLockTimeout);

// Appends `lines` (entries each followed by CR LF) to the stock file under an exclusive lock,
// so that it reads back as its old entries followed by the new ones; no byte already in it is
// rewritten. A file that this call has to make starts with `listText`, the list as last read,
// so that a file deleted since loses no name. Either all of `lines` is kept, synced to disk, or
// the file is as it was and the stock's error is raised. Returns the file's text as it now is.
QByteArray appendToStockFile(const QByteArray& path, const QString& shownPath,
                             std::chrono::milliseconds timeout, const QByteArray& listText,
                             const QByteArray& lines);

} // namespace kanatsumugi
