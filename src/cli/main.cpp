#include "apperror/AppError.h"
#include "apperror/Messages.h"
#include "cli/CliOptions.h"
#include "cli/NameFilter.h"
#include "cli/NameRun.h"
#include "cli/OutputBuffer.h"
#include "cli/RateNames.h"
#include "cli/StockEntries.h"
#include "generator/Clock.h"
#include "generator/KanaTables.h"
#include "generator/RandomSource.h"
#include "generator/UniqueNames.h"
#include "lexicon/WordChecks.h"
#include "stock/StandardDescriptors.h"

#include <algorithm>
#include <csignal>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace kanatsumugi;

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

void printError(std::string_view message) {
    std::cerr << "kanatsumugi-cli: " << message << '\n';
}

// Whether the output goes into `path` itself, as with `--stock >> 今まで名付けた名前.txt`.
bool writesTo(int fd, const std::string& path) {
    struct stat out {};
    struct stat file {};
    return ::fstat(fd, &out) == 0 && ::stat(path.c_str(), &file) == 0 &&
           out.st_dev == file.st_dev && out.st_ino == file.st_ino;
}

int run(const CliOptions& options) {
    OutputBuffer out(STDOUT_FILENO);
    if (options.help) {
        out.write(helpText());
        out.flush();
        return 0;
    }
    const KanaTables tables = KanaTables::build();
    if (options.rate) {
        try {
            rateNames(tables, options, options.rateNames, std::cin, out);
        } catch (const AppError& error) {
            out.flush();
            printError(error.what());
            return kExitUsage;
        }
        return 0;
    }
    const NameFilter filter(tables, options);
    const std::string stockFile = stockPath(options.stockFile);
    if (options.stock && writesTo(STDOUT_FILENO, stockFile)) {
        // The lines would land in the stock beside the names --stock adds, in another form.
        printError(fill(tr("the output is the stock file %s, which --stock adds to already"),
                        {stockFile}));
        return kExitUsage;
    }
    // --unique holds at most the names it prints, at most one a reading of the day.
    UniqueNames seen(options.unique ? std::min<std::uint64_t>(options.count, kMillisecondsPerDay)
                                    : 0);
    if (options.excludeStock) {
        try {
            // Before the first stock there is no file yet, and nothing is kept.
            readStockNames(tables, stockFile, !options.stockFile || options.stock, seen);
        } catch (const AppError& error) {
            printError(error.what());
            return kExitUsage;
        }
    }
    std::optional<WordChecks> checks;
    if (options.readsWords()) {
        try {
            checks.emplace(tables, options.words, options.format != OutputFormat::Plain);
        } catch (const AppError& error) {
            printError(error.what());
            return kExitUsage;
        }
        for (const auto& [rule, utf8] : options.texts) {
            if (NameFilter::required(rule) && checks->blocks(utf8)) {
                throw NoNameMatches(
                    fill(tr("%s %s: it holds an entry of the blocklist"), {optionOf(rule), utf8}));
            }
        }
    }
    const std::uint32_t start =
        options.startReading.value_or(SystemClock{}.utcTimeOfDay().milliseconds());
    std::vector<KanaIndexName> printed;
    const RunResult result = printNames(tables, options, filter, checks ? &*checks : nullptr, seen,
                                        start, out, options.stock ? &printed : nullptr);
    if (options.stock) {
        stockNames(tables, stockFile, printed);
    }
    if (result.exhausted) {
        const std::string found = std::to_string(result.printed);
        printError(
            options.spread ? fill(tr("--spread: only %s of the %s stretches of the day held a name "
                                     "that passes"),
                                  {found, std::to_string(options.count)})
            : !options.filters()
                ? fill(tr("a whole day of clock readings holds no new name (%s printed)"), {found})
                : fill(trn("a whole day of clock readings held only %s matching name",
                           "a whole day of clock readings held only %s matching names",
                           result.printed),
                       {found}));
        return kExitFailure;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    openStandardDescriptors();
    openMessageCatalogue();
    // A reader that closes the pipe early ends the run through EPIPE, quietly.
    std::signal(SIGPIPE, SIG_IGN);
    CliOptions options;
    try {
        options = parseCommandLine(argc, argv);
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
        printError(tr("out of memory"));
    } catch (const std::exception& error) {
        printError(fill(tr("cannot go on: %s"), {error.what()}));
    }
    return kExitFailure;
}
