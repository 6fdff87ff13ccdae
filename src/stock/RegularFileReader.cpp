#include "stock/RegularFileReader.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kanatsumugi {

namespace {

FileState stateOfFailedLookup(int error) {
    if (error == ENOENT || error == ENOTDIR)
        return FileState::Missing;
    if (error == EISDIR)
        return FileState::Directory;
    return FileState::Unreadable;
}

FileState stateOfType(mode_t mode) {
    if (S_ISDIR(mode))
        return FileState::Directory;
    return S_ISREG(mode) ? FileState::Read : FileState::Unreadable;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd)
        : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

// Returns the number of bytes read (0 at the end), or -1 on a read error.
ssize_t readSome(int fd, char* into, qsizetype room) {
    for (;;) {
        const ssize_t got = ::read(fd, into, static_cast<size_t>(room));
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

// Reads to the end, even if the file grew or shrank since it was measured, in pieces small
// enough that the observer finds each one still in the cache.
bool readToEnd(int fd, qsizetype expectedSize, QByteArray& bytes, const ReadObserver& observer) {
    constexpr qsizetype kPiece = 256 * 1024;
    bytes.resize(expectedSize);
    qsizetype used = 0;
    auto take = [&](qsizetype room, char* into) {
        const ssize_t got = readSome(fd, into, std::min(kPiece, room));
        if (got > 0 && observer)
            observer(into, got);
        return got;
    };
    while (used < expectedSize) {
        const ssize_t got = take(expectedSize - used, bytes.data() + used);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        used += got;
    }
    bytes.truncate(used);
    // Only a file that grew has more; the bytes are moved for it alone.
    char piece[16 * 1024];
    for (;;) {
        const ssize_t got = take(sizeof piece, piece);
        if (got <= 0)
            return got == 0;
        bytes.append(piece, got);
    }
}

} // namespace

FileContents readRegularFile(const QString& path, qsizetype spareCapacity,
                             const ReadObserver& observer) {
    const QByteArray nativePath = QFile::encodeName(path);
    struct stat status {};
    // Look before opening: opening a FIFO or a device may itself block or have effects.
    if (::stat(nativePath.constData(), &status) != 0)
        return {stateOfFailedLookup(errno), {}};
    if (const FileState state = stateOfType(status.st_mode); state != FileState::Read)
        return {state, {}};

    FileDescriptor fd(::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0)
        return {stateOfFailedLookup(errno), {}};
    // The path may have been replaced between the look and the open.
    if (::fstat(fd.get(), &status) != 0)
        return {FileState::Unreadable, {}};
    if (const FileState state = stateOfType(status.st_mode); state != FileState::Read)
        return {state, {}};

    FileContents contents{FileState::Read, {}};
    const auto size = static_cast<qsizetype>(status.st_size);
    contents.bytes.reserve(size + spareCapacity);
    if (!readToEnd(fd.get(), size, contents.bytes, observer))
        return {FileState::Unreadable, {}};
    return contents;
}

} // namespace kanatsumugi
