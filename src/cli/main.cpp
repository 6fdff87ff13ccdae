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
#include <unistd.h>
#include <vector>

using namespace kanatsumugi;

namespace {

void run(const CliOptions& options) {
    OutputBuffer out(STDOUT_FILENO);
    if (options.help) {
        out.write(helpText());
        return out.flush();
    }
    const KanaTables tables = KanaTables::build();
    if (options.rate) {
        return rateNames(tables, options, options.rateNames, std::cin, out);
    }
    const NameFilter filter(tables, options);
    const std::string stockFile = stockPath(options.stockFile);
    if (options.stock && out.writesTo(stockFile)) {
        // The lines would land in the stock beside the names --stock adds, in another form.
        throw InputError(fill(tr("the output is the stock file %s, which --stock adds to already"),
                              {stockFile}));
    }
    // --unique holds at most the names it prints, at most one a reading of the day.
    UniqueNames seen(options.unique ? std::min<std::uint64_t>(options.count, kMillisecondsPerDay)
                                    : 0);
    std::optional<WordChecks> checks;
    if (options.excludeStock) {
        // Before the first stock there is no file yet, and nothing is kept.
        readStockNames(tables, stockFile, !options.stockFile || options.stock, seen);
    }
    if (options.readsWords()) {
        checks.emplace(tables, options.words, options.format != OutputFormat::Plain);
    }
    for (const auto& [rule, utf8] : options.texts) {
        if (checks && NameFilter::required(rule) && checks->blocks(utf8)) {
            throw NoNameMatches(
                fill(tr("%s %s: it holds an entry of the blocklist"), {optionOf(rule), utf8}));
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
        const char* why =
            options.spread ? tr("--spread: only %s of the %s stretches of the day held a name "
                                "that passes")
            : !options.filters()
                ? tr("a whole day of clock readings holds no new name (%s printed)")
                : trn("a whole day of clock readings held only %s matching name",
                      "a whole day of clock readings held only %s matching names", result.printed);
        throw AppError(fill(why, {std::to_string(result.printed), std::to_string(options.count)}));
    }
}

} // namespace

// The one place that turns a failure into an exit status: 2 for bad input, 1 for the rest.
int main(int argc, char** argv) {
    openStandardDescriptors();
    openMessageCatalogue();
    // A reader that closes the pipe early ends the run through EPIPE, quietly.
    std::signal(SIGPIPE, SIG_IGN);
    bool parsed = false;
    std::string error;
    try {
        const CliOptions options = parseCommandLine(argc, argv);
        parsed = true;
        run(options);
        return 0;
    } catch (const InputError& input) {
        std::cerr << "kanatsumugi-cli: " << input.what() << '\n'
                  << (parsed ? "" : usageLine() + '\n');
        return 2;
    } catch (const AppError& failure) {
        error = failure.what();
    } catch (const std::bad_alloc&) {
        error = tr("out of memory");
    } catch (const std::exception& failure) {
        error = fill(tr("cannot go on: %s"), {failure.what()});
    }
    std::cerr << "kanatsumugi-cli: " << error << '\n';
    return 1;
}
