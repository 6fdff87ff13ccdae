#include "cli/OutputBuffer.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>

using namespace kanatsumugi;

namespace {

void put(OutputBuffer& out, const std::string& text) {
    std::memcpy(out.reserve(text.size()), text.data(), text.size());
    out.commit(text.size());
}

TEST(OutputBuffer, DeliversEverythingInOrderThroughASmallBuffer) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    std::string received;
    std::thread reader([&] {
        char chunk[4096];
        for (ssize_t n; (n = read(fds[0], chunk, sizeof chunk)) > 0;) {
            received.append(chunk, static_cast<std::size_t>(n));
        }
    });
    std::string sent;
    {
        OutputBuffer out(fds[1], 64);
        for (int i = 0; i < 5000; ++i) {
            const std::string line = std::to_string(i) + "\n";
            put(out, line);
            sent += line;
        }
        out.flush();
        EXPECT_FALSE(out.closed());
    }
    close(fds[1]);
    reader.join();
    close(fds[0]);
    EXPECT_EQ(received, sent);
}

TEST(OutputBuffer, AGoneReaderClosesItQuietly) {
    const auto previous = std::signal(SIGPIPE, SIG_IGN);
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    close(fds[0]);
    OutputBuffer out(fds[1], 16);
    put(out, "abcdefgh");
    EXPECT_NO_THROW(out.flush());
    EXPECT_TRUE(out.closed());
    put(out, "more bytes than the buffer holds");
    EXPECT_NO_THROW(out.flush());
    close(fds[1]);
    std::signal(SIGPIPE, previous);
}

} // namespace
