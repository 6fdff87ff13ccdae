#include "cli/NameRun.h"

#include "cli/LineFormat.h"
#include "cli/NameFilter.h"
#include "cli/OutputBuffer.h"
#include "generator/KanaTables.h"
#include "generator/RandomSource.h"
#include "generator/UniqueNames.h"
#include "lexicon/WordChecks.h"

#include <algorithm>
#include <span>

namespace kanatsumugi {

namespace {

constexpr std::size_t kBatchSize = 4096;

// The one loop: make names in batches, keep those that pass, write their lines.
struct Run {
    const KanaTables& tables;
    const CliOptions& options;
    const NameFilter& filter;
    const WordChecks* checks;
    UniqueNames& seen;
    OutputBuffer& out;
    std::vector<KanaIndexName>* printedNames;
    LineFormat format{tables, options, checks};
    std::vector<KanaIndexName> batch = std::vector<KanaIndexName>(kBatchSize);
    // Whether each name of the batch passes the word checks; all do without them.
    std::vector<std::uint8_t> passed = std::vector<std::uint8_t>(kBatchSize, 1);
    // Where each printed name's line ends in the output.
    std::vector<std::uint64_t> ends{};

    // Prints the names of `readings` readings from `first` that pass, `wanted` at most;
    // returns how many it printed.
    std::uint64_t scan(std::uint32_t first, std::uint64_t readings, std::uint64_t wanted) {
        const bool chooses = options.choosesReadings();
        std::uint64_t count = 0;
        for (std::uint64_t done = 0; done < readings && count < wanted && !out.closed();) {
            const auto size = static_cast<std::size_t>(
                std::min<std::uint64_t>(kBatchSize, std::min(readings - done, wanted - count)));
            const std::span<KanaIndexName> names(batch.data(), size);
            const std::uint32_t reading = readingAfter(first, done);
            if (checks != nullptr && options.words.any()) {
                checks->makeAndCheck(tables, options.fixedLength, reading, names,
                                     std::span(passed).first(size));
            } else {
                makeNames(tables, options.fixedLength, reading, names);
            }
            for (std::size_t i = 0; i < size && count < wanted; ++i) {
                if (chooses && !keeps(names[i], passed[i] != 0)) {
                    continue;
                }
                char* const start = out.reserve(LineFormat::kMaxLineBytes);
                out.commit(static_cast<std::size_t>(
                    format.write(readingAfter(reading, i), names[i], start) - start));
                ++count;
                if (printedNames != nullptr) {
                    printedNames->push_back(names[i]);
                    ends.push_back(out.queued());
                }
            }
            done += size;
        }
        return count;
    }

    bool keeps(const KanaIndexName& name, bool passesChecks) {
        if (!passesChecks || !filter.matches(name)) {
            return false;
        }
        if (options.unique) {
            return seen.insert(name);
        }
        return !options.excludeStock || !seen.contains(name);
    }
};

} // namespace

RunResult printNames(const KanaTables& tables, const CliOptions& options, const NameFilter& filter,
                     const WordChecks* checks, UniqueNames& seen, std::uint32_t startReading,
                     OutputBuffer& out, std::vector<KanaIndexName>* printed) {
    Run run{tables, options, filter, checks, seen, out, printed};
    out.write(run.format.header());
    const std::uint32_t start = readingAfter(startReading, 0);
    RunResult result;
    if (options.spread) {
        // The day falls into `count` stretches of (almost) equal length; each gives the
        // first name that passes from a reading drawn within it, wrapping inside it.
        RandomSource random;
        random.setSeed(start);
        const std::uint64_t count = options.count;
        for (std::uint64_t i = 0; i < count && !out.closed(); ++i) {
            const std::uint64_t from = i * kMillisecondsPerDay / count;
            const std::uint64_t width = (i + 1) * kMillisecondsPerDay / count - from;
            const auto pick =
                static_cast<std::uint64_t>(random.NextBelow(static_cast<std::int32_t>(width)));
            std::uint64_t found = run.scan(readingAfter(start, from + pick), width - pick, 1);
            if (found == 0) {
                found = run.scan(readingAfter(start, from), pick, 1);
            }
            result.printed += found;
        }
    } else {
        // Readings repeat daily, so after a whole day no later reading can pass a filter
        // that every reading of the day failed. Without filters every reading gives a line.
        result.printed = run.scan(
            start, options.choosesReadings() ? kMillisecondsPerDay : options.count, options.count);
    }
    out.flush();
    if (printed != nullptr && out.closed()) {
        // A reader that left early saw only the lines it took; the rest were never printed.
        printed->resize(static_cast<std::size_t>(
            std::upper_bound(run.ends.begin(), run.ends.end(), out.delivered()) -
            run.ends.begin()));
    }
    result.exhausted = result.printed < options.count && !out.closed();
    return result;
}

} // namespace kanatsumugi
