#include "stock/StockFile.h"

#include "stock/StockErrors.h"
#include "stock/StockText.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <new>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace kanatsumugi {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
constexpr int kAppendFlags = O_RDWR | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

// A stock holds the lock for milliseconds: try often at first, then back off.
constexpr std::chrono::milliseconds kFirstPause{1};
constexpr std::chrono::milliseconds kLongestPause{16};

// An open file descriptor, closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd)
        : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    [[nodiscard]] int get() const { return fd_; }

private:
    int fd_;
};

// The kernel drops a lock when its holder ends, however it ends: a lock is never stale.
bool waitForLock(int fd, int operation, Clock::time_point deadline) {
    auto pause = kFirstPause;
    while (::flock(fd, operation | LOCK_NB) != 0) {
        const auto now = Clock::now();
        if ((errno != EWOULDBLOCK && errno != EINTR) || now >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::min<Clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, kLongestPause);
    }
    return true;
}

// Reads from the start to the end, even if the file grew since it was measured, into room for
// `more` bytes besides. A file larger than the machine's memory is refused before any attempt.
QByteArray readWhole(int fd, off_t size, const QString& shownPath, qsizetype more = 0) {
    try {
        const long pages = ::sysconf(_SC_PHYS_PAGES);
        if (pages > 0 && size / ::sysconf(_SC_PAGESIZE) > pages) {
            throw std::bad_alloc();
        }
        // One byte more than measured, so that the end shows in the first read.
        QByteArray bytes(static_cast<qsizetype>(size) + 1 + more, Qt::Uninitialized);
        qsizetype used = 0;
        for (;;) {
            if (used == bytes.size()) {
                bytes.resize(bytes.size() * 2);
            }
            const ssize_t got =
                ::pread(fd, bytes.data() + used, static_cast<size_t>(bytes.size() - used), used);
            if (got == 0) {
                bytes.truncate(used);
                return bytes;
            }
            if (got < 0 && errno != EINTR) {
                throw stockOpenError(shownPath);
            }
            used += std::max<ssize_t>(got, 0);
        }
    } catch (const std::bad_alloc&) {
        throw stockOpenError(shownPath);
    }
}

// A file this user may not even read is told as at start-up; else the message of the cause.
AppError openFailure(int error, const QByteArray& path, const QString& shownPath) {
    const Descriptor readable(::open(path.constData(), kReadFlags));
    if (readable.get() < 0 && errno == EACCES) {
        return stockOpenError(shownPath);
    }
    return stockErrorOfCause(error, shownPath);
}

// Opens the file for appending, making it if it is missing; `made` tells which.
int openForAppending(const QByteArray& path, const QString& shownPath, bool& made) {
    int fd = ::open(path.constData(), kAppendFlags);
    made = fd < 0 && errno == ENOENT;
    if (made) {
        fd = ::open(path.constData(), kAppendFlags | O_CREAT, 0666);
    }
    if (fd < 0) {
        throw openFailure(errno, path, shownPath);
    }
    return fd;
}

bool leadsTo(const QByteArray& path, int fd) {
    struct stat named {};
    struct stat opened {};
    return ::stat(path.constData(), &named) == 0 && ::fstat(fd, &opened) == 0 &&
           named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
}

bool endsOpen(const QByteArray& text) {
    return !text.isEmpty() && !text.endsWith('\r') && !text.endsWith('\n');
}

// A new file belongs to the folder's owner when root made it there (a program once started
// with sudo); its name is made durable too.
void settleNewFile(int fd, const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folderPath = slash < 0 ? QByteArrayLiteral(".") : path.left(slash + 1);
    const Descriptor folder(::open(folderPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat status {};
    if (::geteuid() == 0 && ::fstat(folder.get(), &status) == 0 && status.st_uid != 0) {
        (void)::fchown(fd, status.st_uid, status.st_gid);
    }
    (void)::fsync(folder.get());
}

// The locked file's text, with `lines` appended in one write. On failure the file is put back
// as it was (a file this stock made is removed again) and the write error raised.
QByteArray appendLocked(int fd, const QByteArray& path, const QString& shownPath, bool made,
                        const QByteArray& listText, const QByteArray& lines) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        throw stockOpenError(shownPath);
    }
    QByteArray text = readWhole(fd, status.st_size, shownPath, 2 + lines.size());
    made = made && text.isEmpty();
    QByteArray added;
    try {
        // Reading stops at a NUL: what follows it goes before anything is added.
        const qsizetype kept = stockTextOf(text).size();
        if (kept < text.size() && ::ftruncate(fd, kept) != 0) {
            throw stockWriteError();
        }
        text.truncate(kept);
        added = made ? listText : QByteArray();
        added += (endsOpen(made ? listText : text) ? "\r\n" : "") + lines;
        text += added;
    } catch (const std::bad_alloc&) {
        throw stockOpenError(shownPath);
    }
    ssize_t written = -1;
    do {
        written = ::write(fd, added.constData(), static_cast<size_t>(added.size()));
    } while (written < 0 && errno == EINTR);
    if (written != added.size() || ::fsync(fd) != 0) {
        (void)::ftruncate(fd, text.size() - added.size());
        if (made) {
            ::unlink(path.constData());
        }
        throw stockWriteError();
    }
    if (made) {
        settleNewFile(fd, path);
    }
    return text;
}

} // namespace

FileContents readStockFile(const QByteArray& path, const QString& shownPath,
                           std::chrono::milliseconds timeout) {
    const Descriptor fd(::open(path.constData(), kReadFlags));
    if (fd.get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return {};
        }
        throw stockOpenError(shownPath);
    }
    struct stat status {};
    if (::fstat(fd.get(), &status) == 0 && S_ISDIR(status.st_mode)) {
        return {FileState::Directory, {}};
    }
    if (!S_ISREG(status.st_mode) || !waitForLock(fd.get(), LOCK_SH, Clock::now() + timeout)) {
        throw stockOpenError(shownPath);
    }
    return {FileState::Read, readWhole(fd.get(), status.st_size, shownPath)};
}

QByteArray appendToStockFile(const QByteArray& path, const QString& shownPath,
                             std::chrono::milliseconds timeout, const QByteArray& listText,
                             const QByteArray& lines) {
    // Past a file-size limit the system would end the program; the write error is the answer.
    static const bool fileSizeSignalIgnored = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
    (void)fileSizeSignalIgnored;
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        bool made = false;
        const Descriptor fd(openForAppending(path, shownPath, made));
        struct stat status {};
        if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
            throw stockOpenError(shownPath);
        }
        if (!waitForLock(fd.get(), LOCK_EX, deadline)) {
            throw stockCreateError(shownPath);
        }
        // An editor that saves by rename, or a delete, leaves this lock on a file gone by.
        if (leadsTo(path, fd.get())) {
            return appendLocked(fd.get(), path, shownPath, made, listText, lines);
        }
        if (Clock::now() >= deadline) {
            throw stockCreateError(shownPath);
        }
    }
}

void openStandardDescriptors() {
    // open() takes the lowest free descriptor: 0, 1 or 2 while one of them is closed.
    for (int fd = ::open("/dev/null", O_RDWR); fd >= 0; fd = ::open("/dev/null", O_RDWR)) {
        if (fd > 2) {
            ::close(fd);
            return;
        }
    }
}

} // namespace kanatsumugi
