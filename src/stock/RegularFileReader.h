#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace kanatsumugi {

// What was found at a path, following links.
enum class FileState {
    Missing,    // nothing there (or a dangling link)
    Directory,  // a directory
    Unreadable, // access denied, a read error, or not a regular file (FIFO, socket, device)
    Read,       // a regular file, read whole
};

struct FileContents {
    FileState state = FileState::Missing;
    QByteArray bytes;
};

// Sees each piece of a file as soon as it has been read.
using ReadObserver = std::function<void(const char* data, qsizetype size)>;

// Reads a regular file whole. Anything else is never read, so a FIFO cannot block.
// `spareCapacity` leaves room to append to the bytes without moving them.
FileContents readRegularFile(const QString& path, qsizetype spareCapacity = 0,
                             const ReadObserver& observer = {});

} // namespace kanatsumugi
