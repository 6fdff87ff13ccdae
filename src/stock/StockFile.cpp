#include "stock/StockFile.h"

#include "stock/StandardDescriptors.h"
#include "stock/StockErrors.h"
#include "stock/StockText.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
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

// An open file descriptor, closed when it goes.
struct Descriptor {
    explicit Descriptor(int value)
        : fd(value) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    const int fd;
};

// The kernel drops a lock when its holder ends, however it ends: a lock is never stale. A stock
// holds it for milliseconds, so the wait starts short and backs off.
bool waitForLock(int fd, int operation, Clock::time_point deadline) {
    for (auto pause = std::chrono::milliseconds(1); ::flock(fd, operation | LOCK_NB) != 0;
         pause = std::min(pause * 2, std::chrono::milliseconds(16))) {
        const auto now = Clock::now();
        if (errno != EWOULDBLOCK || now >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::min<Clock::duration>(pause, deadline - now));
    }
    return true;
}

// The file's bytes as measured now, with room for `more` bytes besides. A file larger than the
// machine's memory is refused before any attempt to hold it.
QByteArray readWhole(int fd, const QString& shownPath, qsizetype more = 0) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        throw stockOpenError(shownPath);
    }
    try {
        if (status.st_size / ::sysconf(_SC_PAGESIZE) > ::sysconf(_SC_PHYS_PAGES)) {
            throw std::bad_alloc();
        }
        const auto size = static_cast<qsizetype>(status.st_size);
        QByteArray bytes(size + more, Qt::Uninitialized);
        qsizetype used = 0;
        for (ssize_t got = 1; got > 0 && used < size; used += got) {
            got = ::pread(fd, bytes.data() + used, static_cast<size_t>(size - used), used);
            if (got < 0) {
                throw stockOpenError(shownPath);
            }
        }
        bytes.truncate(used);
        return bytes;
    } catch (const std::bad_alloc&) {
        throw stockOpenError(shownPath);
    }
}

// The file opened for appending, made if missing (`made` tells). A file this user may not even
// read is told as at start-up, any other failure by its cause.
int openForAppending(const QByteArray& path, const QString& shownPath, bool& made) {
    int fd = ::open(path.constData(), kAppendFlags);
    made = fd < 0 && errno == ENOENT;
    if (made) {
        fd = ::open(path.constData(), kAppendFlags | O_CREAT, 0666);
    }
    if (fd >= 0) {
        return fd;
    }
    const int error = errno;
    const Descriptor readable(::open(path.constData(), kReadFlags));
    throw readable.fd < 0 && errno == EACCES ? stockOpenError(shownPath)
                                             : stockErrorOfCause(error, shownPath);
}

bool leadsTo(const QByteArray& path, int fd) {
    struct stat named {};
    struct stat opened {};
    return ::stat(path.constData(), &named) == 0 && ::fstat(fd, &opened) == 0 &&
           named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
}

// A new file belongs to the owner of the folder that holds it when root made it there (a
// program once started with sudo); its name is made durable too. A link may lead into any
// folder: it is that folder, the one the file is really in, that counts.
void settleNewFile(int fd, const QByteArray& path) {
    char* const real = ::realpath(path.constData(), nullptr);
    const QByteArray filePath = real != nullptr ? QByteArray(real) : path;
    std::free(real);
    const qsizetype slash = filePath.lastIndexOf('/');
    const QByteArray folderPath = slash < 0 ? QByteArrayLiteral(".") : filePath.left(slash + 1);
    const Descriptor folder(::open(folderPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat named {};
    struct stat made {};
    struct stat status {};
    const bool inFolder = ::lstat(filePath.constData(), &named) == 0 && ::fstat(fd, &made) == 0 &&
                          named.st_dev == made.st_dev && named.st_ino == made.st_ino;
    if (::geteuid() == 0 && inFolder && ::fstat(folder.fd, &status) == 0 && status.st_uid != 0) {
        (void)::fchown(fd, status.st_uid, status.st_gid);
    }
    (void)::fsync(folder.fd);
}

// The locked file's text, with `lines` appended in one write (after the list's text, in a file
// this stock made). On failure what was written is taken back and the write error raised.
QByteArray appendLocked(int fd, const QByteArray& path, const QString& shownPath, bool made,
                        const QByteArray& listText, const QByteArray& lines) {
    QByteArray text = readWhole(fd, shownPath, 2 + lines.size() + (made ? listText.size() : 0));
    made = made && text.isEmpty();
    // Reading stops at a NUL: what follows it goes before anything is added.
    const qsizetype kept = stockTextOf(text).size();
    const bool nulFound = kept < text.size();
    QByteArray added;
    try {
        const QByteArrayView before =
            made ? QByteArrayView(listText) : QByteArrayView(text).first(kept);
        const bool lastLineOpen = !before.empty() && before.back() != '\r' && before.back() != '\n';
        added = (made ? listText : QByteArray()) + (lastLineOpen ? "\r\n" : "") + lines;
        text.truncate(kept);
        text += added;
    } catch (const std::bad_alloc&) {
        throw stockOpenError(shownPath);
    }
    const ssize_t written = nulFound && ::ftruncate(fd, kept) != 0
                                ? -1
                                : ::write(fd, added.constData(), static_cast<size_t>(added.size()));
    if (written != added.size() || ::fsync(fd) != 0) {
        // An appending write leaves the offset at its end; a shell's `>>` since stays.
        if (written > 0) {
            (void)::ftruncate(fd, ::lseek(fd, 0, SEEK_CUR) - written);
        }
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
    const Descriptor file(::open(path.constData(), kReadFlags));
    if (file.fd < 0 && (errno == ENOENT || errno == ENOTDIR)) {
        return {};
    }
    struct stat status {};
    if (::fstat(file.fd, &status) == 0 && S_ISDIR(status.st_mode)) {
        return {FileState::Directory, {}};
    }
    if (!S_ISREG(status.st_mode) || !waitForLock(file.fd, LOCK_SH, Clock::now() + timeout)) {
        throw stockOpenError(shownPath);
    }
    return {FileState::Read, readWhole(file.fd, shownPath)};
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
        const Descriptor file(openForAppending(path, shownPath, made));
        struct stat status {};
        if (::fstat(file.fd, &status) != 0 || !S_ISREG(status.st_mode)) {
            throw stockOpenError(shownPath);
        }
        if (!waitForLock(file.fd, LOCK_EX, deadline)) {
            throw stockCreateError(shownPath);
        }
        // An editor that saves by rename, or a delete, leaves this lock on a file gone by; one
        // that does so while the lines are written takes them away with the old file.
        if (leadsTo(path, file.fd)) {
            QByteArray text = appendLocked(file.fd, path, shownPath, made, listText, lines);
            if (leadsTo(path, file.fd)) {
                return text;
            }
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
