#include "cli/OutputBuffer.h"

#include "apperror/AppError.h"
#include "apperror/Messages.h"

#include <cerrno>
#include <cstring>
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

} // namespace kanatsumugi
