#include "apperror/AppError.h"
#include "cli/CliOptions.h"
#include "cli/NameRun.h"
#include "cli/OutputBuffer.h"
#include "generator/Clock.h"
#include "generator/KanaTables.h"
#include "generator/RandomSource.h"

#include <csignal>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <unistd.h>
#include <vector>

using namespace kanatsumugi;

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

void printError(std::string_view message) {
    std::cerr << "kanatsumugi-cli: " << message << '\n';
}

std::uint32_t readingNow() {
    RandomSource random;
    random.SeedFromClock(SystemClock{});
    return random.seed();
}

int run(const CliOptions& options) {
    OutputBuffer out(STDOUT_FILENO);
    if (options.help) {
        const std::string help = helpText();
        out.write(help);
        return 0;
    }
    const std::uint32_t start = options.startReading ? *options.startReading : readingNow();
    const RunResult result = printNames(KanaTables::build(), options, start, out);
    if (result.exhausted) {
        printError("一日分の時刻をすべて読みましたが、新しい名前はもうありません (" +
                   std::to_string(result.printed) + " 個を出力しました)");
        return kExitFailure;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // A reader that closes the pipe early ends the run through EPIPE, quietly.
    std::signal(SIGPIPE, SIG_IGN);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    CliOptions options;
    try {
        options = parseCommandLine(args);
    } catch (const AppError& error) {
        printError(error.what());
        std::cerr << usageLine() << '\n';
        return kExitUsage;
    }
    try {
        return run(options);
    } catch (const AppError& error) {
        printError(error.what());
    } catch (const std::bad_alloc&) {
        printError("メモリが足りません");
    } catch (const std::exception& error) {
        printError(std::string("処理を続けられません: ") + error.what());
    }
    return kExitFailure;
}
