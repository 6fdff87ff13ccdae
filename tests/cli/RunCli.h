#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kanatsumugi::test {

struct CliRun {
    int exitStatus = -1; // -1 when ended by a signal
    int signal = 0;
    std::string out;
    std::string err;
};

struct CliRunOptions {
    // Close our end of stdout after this many bytes, as `| head -c N` would.
    std::optional<std::size_t> closeStdoutAfter;
    // Send stdout to this file instead of a pipe.
    std::optional<std::string> stdoutFile;
    // LC_ALL and LANGUAGE for the run: the texts the tests expect are the Japanese ones,
    // asked for through LANGUAGE, since a Japanese locale need not be installed.
    std::string locale = "C.UTF-8";
    std::string language = "ja";
    // Working folder of the run.
    std::optional<std::string> workingDirectory;
};

// The lines of a run's output, without their line feeds.
std::vector<std::string> linesOf(const std::string& text);

// Runs kanatsumugi-cli with `args` and collects what it printed.
CliRun runCli(const std::vector<std::string>& args, const CliRunOptions& options = {});

} // namespace kanatsumugi::test
