#include "RunCli.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace kanatsumugi::test {

namespace {

void makePipe(int fds[2]) {
    if (pipe2(fds, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
}

[[noreturn]] void execCli(const std::vector<std::string>& args, const CliRunOptions& options,
                          int outFd, int errFd) {
    setenv("LC_ALL", options.locale.c_str(), 1);
    setenv("LANGUAGE", options.language.c_str(), 1);
    unsetenv("LC_MESSAGES");
    if (options.workingDirectory && chdir(options.workingDirectory->c_str()) != 0) {
        _exit(126);
    }
    dup2(outFd, STDOUT_FILENO);
    dup2(errFd, STDERR_FILENO);
    std::vector<char*> argv;
    std::string program = KANATSUMUGI_CLI_PATH;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

// Reads both pipes to their end; stops reading stdout early if asked.
void collect(int outFd, int errFd, const CliRunOptions& options, CliRun& run) {
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    int openCount = (outFd >= 0 ? 1 : 0) + 1;
    if (outFd < 0) {
        fds[0].fd = -1;
    }
    char buffer[65536];
    while (openCount > 0) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw std::runtime_error("poll failed");
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) {
                continue;
            }
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                (i == 0 ? run.out : run.err).append(buffer, static_cast<std::size_t>(n));
            }
            const bool enough =
                i == 0 && options.closeStdoutAfter && run.out.size() >= *options.closeStdoutAfter;
            if (n <= 0 || enough) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --openCount;
            }
        }
    }
}

} // namespace

CliRun runCli(const std::vector<std::string>& args, const CliRunOptions& options) {
    int out[2] = {-1, -1};
    int err[2];
    if (options.stdoutFile) {
        out[1] =
            ::open(options.stdoutFile->c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (out[1] < 0) {
            throw std::runtime_error("cannot open " + *options.stdoutFile);
        }
    } else {
        makePipe(out);
    }
    makePipe(err);
    const pid_t child = fork();
    if (child == 0) {
        execCli(args, options, out[1], err[1]);
    }
    close(out[1]);
    close(err[1]);
    CliRun run;
    collect(out[0], err[0], options, run);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status)) {
        run.exitStatus = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        run.signal = WTERMSIG(status);
    }
    return run;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

} // namespace kanatsumugi::test
