#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kanatsumugi {

// Collects output bytes and writes them to a file descriptor in large blocks.
// A reader that has gone away (EPIPE) marks the buffer closed and later bytes are
// dropped; any other write failure raises AppError.
class OutputBuffer {
public:
    explicit OutputBuffer(int fd, std::size_t capacity = 1 << 16)
        : fd_(fd)
        , buffer_(capacity) {}
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    // Room for at least `bytes` more bytes; write there, then commit what was used.
    char* reserve(std::size_t bytes) {
        if (buffer_.size() - used_ < bytes) {
            flush();
            buffer_.resize(std::max(buffer_.size(), bytes));
        }
        return buffer_.data() + used_;
    }
    void commit(std::size_t bytes) {
        used_ += bytes;
        queued_ += bytes;
    }

    void write(std::string_view bytes) {
        bytes.copy(reserve(bytes.size()), bytes.size());
        commit(bytes.size());
    }
    void flush() {
        writeFully(buffer_.data(), used_);
        used_ = 0;
    }
    [[nodiscard]] bool closed() const { return closed_; }
    // Whether the output goes into `path` itself, as with `--stock >> 今まで名付けた名前.txt`.
    [[nodiscard]] bool writesTo(const std::string& path) const;
    // All the bytes given so far, and those of them the reader took.
    [[nodiscard]] std::uint64_t queued() const { return queued_; }
    [[nodiscard]] std::uint64_t delivered() const { return delivered_; }

private:
    void writeFully(const char* bytes, std::size_t size);

    int fd_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    bool closed_ = false;
    std::uint64_t queued_ = 0;
    std::uint64_t delivered_ = 0;
};

} // namespace kanatsumugi
