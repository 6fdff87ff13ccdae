#include "cli/OutputBuffer.h"

#include "apperror/AppError.h"
#include "apperror/Messages.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace kanatsumugi {

void OutputBuffer::writeFully(const char* bytes, std::size_t size) {
    for (std::size_t written = 0; written < size && !closed_;) {
        const ssize_t n = ::write(fd_, bytes + written, size - written);
        if (n >= 0) {
            written += static_cast<std::size_t>(n);
            delivered_ += static_cast<std::uint64_t>(n);
        } else if (errno == EPIPE) {
            closed_ = true;
        } else if (const int error = errno; error != EINTR) {
            throw AppError(fill(tr("cannot write the output: %s"), {std::strerror(error)}));
        }
    }
}

bool OutputBuffer::writesTo(const std::string& path) const {
    struct stat out {};
    struct stat file {};
    return ::fstat(fd_, &out) == 0 && ::stat(path.c_str(), &file) == 0 &&
           out.st_dev == file.st_dev && out.st_ino == file.st_ino;
}

} // namespace kanatsumugi
