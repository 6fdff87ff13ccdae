#include "apperror/AppError.h"
#include "cli/CliOptions.h"
#include "cli/Language.h"
#include "cli/NameRun.h"
#include "cli/OutputBuffer.h"
#include "cli/StockEntries.h"
#include "generator/Clock.h"
#include "generator/KanaTables.h"
#include "generator/RandomSource.h"
#include "stock/StandardDescriptors.h"

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
        out.write(helpText());
        out.flush();
        return 0;
    }
    std::vector<std::string> stockEntries;
    if (options.excludeStock) {
        try {
            stockEntries =
                readStockEntries(*options.excludeStock, *options.excludeStock == kDefaultStockFile);
        } catch (const AppError& error) {
            printError(error.what());
            return kExitUsage;
        }
    }
    const std::uint32_t start = options.startReading ? *options.startReading : readingNow();
    const RunResult result = printNames(KanaTables::build(), options, stockEntries, start, out);
    if (result.exhausted) {
        const std::string found = std::to_string(result.printed);
        printError(
            !options.filters()
                ? tr("一日分の時刻をすべて読みましたが、新しい名前はもうありません (" + found +
                         " 個を出力しました)",
                     "a whole day of clock readings holds no new name (" + found + " printed)")
                : tr("一日分の時刻を読みましたが、条件に合う名前は " + found + " 個でした",
                     "a whole day of clock readings held only " + found +
                         (result.printed == 1 ? " matching name" : " matching names")));
        return kExitFailure;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    openStandardDescriptors();
    setLanguage(languageFromEnvironment());
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
        printError(tr("メモリが足りません", "out of memory"));
    } catch (const std::exception& error) {
        printError(tr("処理を続けられません: ", "cannot go on: ") + error.what());
    }
    return kExitFailure;
}
