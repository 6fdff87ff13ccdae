#include "cli/OutputBuffer.h"

#include "apperror/AppError.h"
#include "cli/Messages.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <unistd.h>

namespace kanatsumugi {

OutputBuffer::OutputBuffer(int fd, std::size_t capacity)
    : fd_(fd)
    , buffer_(capacity) {}

void OutputBuffer::makeRoom(std::size_t bytes) {
    flush();
    if (buffer_.size() < bytes) {
        buffer_.resize(bytes);
    }
}

void OutputBuffer::write(std::span<const char> bytes) {
    flush();
    writeFully(bytes.data(), bytes.size());
}

void OutputBuffer::flush() {
    const std::size_t size = used_;
    used_ = 0;
    writeFully(buffer_.data(), size);
}

void OutputBuffer::writeFully(const char* bytes, std::size_t size) {
    std::size_t written = 0;
    while (written < size && !closed_) {
        const ssize_t n = ::write(fd_, bytes + written, size - written);
        if (n >= 0) {
            written += static_cast<std::size_t>(n);
        } else if (errno == EPIPE) {
            closed_ = true;
        } else if (errno != EINTR) {
            const int error = errno;
            throw AppError(fill(tr("cannot write the output: %s"), {std::strerror(error)}));
        }
    }
}

} // namespace kanatsumugi
