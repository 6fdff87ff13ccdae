#include "stock/StockFile.h"

#include "stock/StockErrors.h"

#include <QList>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstddef>
#include <fcntl.h>
#include <new>
#include <optional>
#include <sys/file.h>
#include <sys/xattr.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace kanatsumugi {

namespace {

using Clock = std::chrono::steady_clock;

// The kernel's own limit on links followed in one lookup.
constexpr int kMaxLinks = 40;

// A stock holds the lock for milliseconds: try often rather than sleep long.
constexpr std::chrono::milliseconds kFirstPause{1};
constexpr std::chrono::milliseconds kLongestPause{4};

// The part of `path` up to and including its last "/", empty for a bare name.
QByteArray folderPrefix(const QByteArray& path) {
    return path.left(path.lastIndexOf('/') + 1);
}

QByteArray folderOf(const QByteArray& path) {
    const QByteArray prefix = folderPrefix(path);
    return prefix.isEmpty() ? QByteArrayLiteral(".") : prefix;
}

// The path of the file that a chain of links at `path` ends at, or `path` itself. Only the
// last part of the path matters: the lock file sits in the same folder as the file.
QByteArray followLinks(QByteArray path) {
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat status {};
        if (::lstat(path.constData(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            break;
        }
        QByteArray target(static_cast<qsizetype>(status.st_size) + PATH_MAX, Qt::Uninitialized);
        const ssize_t length =
            ::readlink(path.constData(), target.data(), static_cast<size_t>(target.size()));
        if (length <= 0) {
            break;
        }
        target.truncate(length);
        path = target.startsWith('/') ? target : folderPrefix(path) + target;
    }
    return path;
}

bool sameFile(int fd, const QByteArray& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::stat(path.constData(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// The kernel drops the lock when its holder's process ends, however it ends, so a lock is
// never stale and needs no rules for taking one over.
bool waitForLock(int fd, Clock::time_point deadline) {
    auto pause = kFirstPause;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            return true;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return false;
        }
        const auto now = Clock::now();
        if (now >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::min<Clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, kLongestPause);
    }
}

bool writeAll(int fd, const char* data, qsizetype size, off_t offset) {
    while (size > 0) {
        const ssize_t written = ::pwrite(fd, data, static_cast<size_t>(size), offset);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        size -= written;
        offset += written;
    }
    return true;
}

bool writeAndSync(int fd, const QByteArray& bytes) {
    return writeAll(fd, bytes.constData(), bytes.size(), 0) && ::fsync(fd) == 0;
}

// Makes a rename or a new name durable. Best effort: the folder already shows the new file.
void syncFolder(const QByteArray& folder) {
    const FileDescriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.isOpen()) {
        ::fsync(fd.get());
    }
}

// An unnamed new file in `folder`, given a name by linkAt once it is complete.
FileDescriptor unnamedFile(const QByteArray& folder, mode_t mode) {
    return FileDescriptor(::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
}

bool linkAt(int fd, const QByteArray& path) {
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, path.constData(), AT_SYMLINK_FOLLOW) == 0;
}

// The file's extended attributes (an access control list, a security label), names and
// values in order; nothing when they cannot all be read.
std::optional<QByteArray> attributesOf(int fd) {
    const ssize_t namesSize = ::flistxattr(fd, nullptr, 0);
    if (namesSize < 0) {
        return errno == ENOTSUP ? std::optional<QByteArray>(QByteArray()) : std::nullopt;
    }
    QByteArray names(static_cast<qsizetype>(namesSize), Qt::Uninitialized);
    const ssize_t namesGot = ::flistxattr(fd, names.data(), static_cast<size_t>(names.size()));
    if (namesGot < 0) {
        return std::nullopt;
    }
    names.truncate(namesGot);
    QList<QByteArray> sorted = names.split('\0');
    std::sort(sorted.begin(), sorted.end());
    QByteArray attributes;
    for (const QByteArray& name : sorted) {
        if (name.isEmpty()) {
            continue;
        }
        const ssize_t size = ::fgetxattr(fd, name.constData(), nullptr, 0);
        QByteArray value(std::max<qsizetype>(size, 0), Qt::Uninitialized);
        if (size < 0 || ::fgetxattr(fd, name.constData(), value.data(),
                                    static_cast<size_t>(value.size())) != size) {
            return std::nullopt;
        }
        attributes += name + '\0' + QByteArray::number(value.size()) + ':' + value;
    }
    return attributes;
}

qsizetype physicalMemory() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0 ? static_cast<qsizetype>(pages) * pageSize : -1;
}

// Reads from the start to the end, even if the file grew or shrank since it was measured.
// Raises std::bad_alloc for a file that cannot be held in memory.
bool readAll(int fd, off_t size, QByteArray& bytes) {
    const qsizetype memory = physicalMemory();
    if (memory >= 0 && size > memory) {
        throw std::bad_alloc();
    }
    bytes = QByteArray(static_cast<qsizetype>(size), Qt::Uninitialized);
    qsizetype used = 0;
    char piece[16 * 1024];
    for (;;) {
        const bool intoBytes = used < bytes.size();
        char* into = intoBytes ? bytes.data() + used : piece;
        const qsizetype room = intoBytes ? bytes.size() - used : qsizetype(sizeof piece);
        const ssize_t got = ::pread(fd, into, static_cast<size_t>(room), used);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            bytes.truncate(used);
            return true;
        }
        if (!intoBytes) {
            bytes.append(piece, got);
        }
        used += got;
    }
}

// Opens `path` for reading if it is a regular file. It is looked at first: opening a FIFO or
// a device may itself block or have effects.
FileState openForReading(const QByteArray& path, const QString& shownPath, FileDescriptor& fd,
                         struct stat& status) {
    const auto stateOfFailure = [&](int error) {
        if (error == ENOENT || error == ENOTDIR) {
            return FileState::Missing;
        }
        throw stockOpenError(shownPath);
    };
    if (::stat(path.constData(), &status) != 0) {
        return stateOfFailure(errno);
    }
    if (S_ISDIR(status.st_mode)) {
        return FileState::Directory;
    }
    if (!S_ISREG(status.st_mode)) {
        throw stockOpenError(shownPath);
    }
    fd = FileDescriptor(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.isOpen()) {
        return stateOfFailure(errno);
    }
    // The path may have been replaced between the look and the open.
    if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        if (S_ISDIR(status.st_mode)) {
            return FileState::Directory;
        }
        throw stockOpenError(shownPath);
    }
    return FileState::Read;
}

void readOpened(int fd, const struct stat& status, const QString& shownPath,
                FileContents& contents) {
    try {
        if (!readAll(fd, status.st_size, contents.bytes)) {
            throw stockOpenError(shownPath);
        }
    } catch (const std::bad_alloc&) {
        contents.bytes = QByteArray();
        throw stockOpenError(shownPath);
    }
    contents.state = FileState::Read;
}

} // namespace

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)) {}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

FileDescriptor::~FileDescriptor() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

FileContents readStockFile(const QByteArray& path, const QString& shownPath) {
    FileDescriptor fd;
    struct stat status {};
    FileContents contents;
    contents.state = openForReading(path, shownPath, fd, status);
    if (contents.state == FileState::Read) {
        readOpened(fd.get(), status, shownPath, contents);
    }
    return contents;
}

LockedStockFile::LockedStockFile(const QByteArray& path, QString shownPath,
                                 std::chrono::milliseconds timeout)
    : realPath_(followLinks(path))
    , shownPath_(std::move(shownPath)) {
    const auto deadline = Clock::now() + timeout;
    takeLockFile(deadline);
    openAndLockFile(deadline);
    if (contents_.state == FileState::Read) {
        readOpened(file_.get(), status_, shownPath_, contents_);
    }
}

LockedStockFile::LockFile::~LockFile() {
    if (fd.isOpen()) {
        ::unlink(path.constData());
    }
}

// The lock file beside the file itself. Where it cannot be made (a folder this user may not
// write), the lock on the file alone must do, which every copy takes as well.
void LockedStockFile::takeLockFile(Clock::time_point deadline) {
    const QByteArray lockPath = realPath_ + ".lock";
    for (;;) {
        FileDescriptor lock(
            ::open(lockPath.constData(),
                   O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
        if (!lock.isOpen()) {
            if (errno == EACCES || errno == EPERM || errno == EROFS) {
                return;
            }
            throw stockErrorOfCause(errno, shownPath_);
        }
        // Something else of that name, such as a FIFO, is no lock file and is left alone.
        struct stat status {};
        if (::fstat(lock.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
            throw stockCreateError(shownPath_);
        }
        if (!waitForLock(lock.get(), deadline)) {
            throw heldElsewhere();
        }
        if (sameFile(lock.get(), lockPath)) {
            lock_.path = lockPath;
            lock_.fd = std::move(lock);
            return;
        }
    }
}

void LockedStockFile::openAndLockFile(Clock::time_point deadline) {
    for (;;) {
        FileDescriptor file;
        contents_.state = openForReading(realPath_, shownPath_, file, status_);
        if (contents_.state == FileState::Directory) {
            throw stockCreateError(shownPath_);
        }
        if (contents_.state == FileState::Missing) {
            return;
        }
        if (!waitForLock(file.get(), deadline)) {
            throw heldElsewhere();
        }
        // A copy that replaced the file meanwhile has left the lock on the old one.
        if (sameFile(file.get(), realPath_)) {
            file_ = std::move(file);
            return;
        }
    }
}

// A stock file that cannot be read is told first, as it would be once the lock were had.
AppError LockedStockFile::heldElsewhere() const {
    FileDescriptor fd;
    struct stat status {};
    (void)openForReading(realPath_, shownPath_, fd, status);
    return stockCreateError(shownPath_);
}

void LockedStockFile::write(const QByteArray& bytes) {
    // Past a file-size limit the system would end the program; the write error is the answer.
    static const bool fileSizeSignalIgnored = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
    (void)fileSizeSignalIgnored;
    if (contents_.state == FileState::Missing) {
        create(bytes);
        return;
    }
    // The file's own protection is respected even where the folder would allow replacing it.
    const FileDescriptor writable(::open(realPath_.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    if (!writable.isOpen()) {
        throw stockErrorOfCause(errno, shownPath_);
    }
    if (!replace(bytes)) {
        writeInPlace(writable.get(), bytes);
    }
}

// A new file appears whole or not at all.
void LockedStockFile::create(const QByteArray& bytes) {
    const QByteArray folder = folderOf(realPath_);
    FileDescriptor file = unnamedFile(folder, 0666);
    if (file.isOpen()) {
        if (!writeAndSync(file.get(), bytes)) {
            throw stockWriteError();
        }
        if (!linkAt(file.get(), realPath_)) {
            throw stockErrorOfCause(errno, shownPath_);
        }
    } else {
        // A file system without unnamed files.
        file = FileDescriptor(::open(realPath_.constData(),
                                     O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666));
        if (!file.isOpen()) {
            throw stockErrorOfCause(errno, shownPath_);
        }
        if (!writeAndSync(file.get(), bytes)) {
            ::unlink(realPath_.constData());
            throw stockWriteError();
        }
    }
    syncFolder(folder);
}

// Writes a new file and renames it over the old one, so that a crash leaves one or the
// other whole. Returns false, having changed nothing, where the new file would differ from
// the old in anything but its bytes.
bool LockedStockFile::replace(const QByteArray& bytes) {
    if (status_.st_nlink != 1 || (status_.st_uid != ::geteuid() && ::geteuid() != 0)) {
        return false;
    }
    const QByteArray folder = folderOf(realPath_);
    const FileDescriptor file = unnamedFile(folder, 0600);
    if (!file.isOpen()) {
        return false;
    }
    struct stat made {};
    if (::fstat(file.get(), &made) != 0) {
        return false;
    }
    // Root may hand the file to its owner; anyone may hand it to a group they belong to.
    if ((made.st_uid != status_.st_uid || made.st_gid != status_.st_gid) &&
        ::fchown(file.get(), status_.st_uid, status_.st_gid) != 0) {
        return false;
    }
    // After the owner: a change of owner clears the set-id bits.
    if (::fchmod(file.get(), status_.st_mode & 07777) != 0 || ::fstat(file.get(), &made) != 0 ||
        made.st_uid != status_.st_uid || made.st_gid != status_.st_gid ||
        made.st_mode != status_.st_mode) {
        return false;
    }
    // An access list would not move to the new file, and one it inherits would be new.
    const std::optional<QByteArray> attributes = attributesOf(file_.get());
    if (!attributes || attributes != attributesOf(file.get())) {
        return false;
    }
    if (!writeAndSync(file.get(), bytes)) {
        throw stockWriteError();
    }
    // rename() moves a name only, so the new file first gets one of its own.
    constexpr int kNameAttempts = 100;
    for (int attempt = 0;; ++attempt) {
        const QByteArray temporary =
            realPath_ + ".new" + QByteArray::number(::getpid()) + "-" + QByteArray::number(attempt);
        if (!linkAt(file.get(), temporary)) {
            if (errno == EEXIST && attempt < kNameAttempts) {
                continue;
            }
            if (errno == ENOSPC || errno == EDQUOT) {
                throw stockWriteError();
            }
            return false;
        }
        if (::rename(temporary.constData(), realPath_.constData()) != 0) {
            const int error = errno;
            ::unlink(temporary.constData());
            throw stockErrorOfCause(error, shownPath_);
        }
        break;
    }
    syncFolder(folder);
    return true;
}

// Only the bytes after the part that already matches are written, so a stock of a file in
// the stock format appends its one line. They are written from the end towards the start:
// a kill in between leaves the old bytes before the point reached and the new ones after it,
// and as the new text only moves names further into the file, every name stays whole in one
// or the other, bar at most the one at that point. Put back as it was on failure.
void LockedStockFile::writeInPlace(int fd, const QByteArray& bytes) {
    constexpr qsizetype kPiece = qsizetype{64} * 1024;
    const QByteArray& old = contents_.bytes;
    const qsizetype common =
        std::mismatch(old.begin(), old.begin() + std::min(old.size(), bytes.size()), bytes.begin())
            .first -
        old.begin();
    bool written = true;
    for (qsizetype end = bytes.size(); written && end > common;) {
        const qsizetype start = std::max(common, end - kPiece);
        written = writeAll(fd, bytes.constData() + start, end - start, start);
        end = start;
    }
    if (written && ::ftruncate(fd, bytes.size()) == 0 && ::fsync(fd) == 0) {
        return;
    }
    (void)writeAll(fd, old.constData() + common, old.size() - common, common);
    (void)::ftruncate(fd, old.size());
    (void)::fsync(fd);
    throw stockWriteError();
}

} // namespace kanatsumugi
