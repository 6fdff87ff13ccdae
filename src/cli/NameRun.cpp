#include "cli/NameRun.h"

#include "cli/LineFormat.h"
#include "cli/NameBatch.h"
#include "cli/NameFilter.h"
#include "cli/OutputBuffer.h"
#include "cli/UniqueNames.h"
#include "generator/KanaTables.h"
#include "generator/RandomSource.h"

#include <algorithm>
#include <future>
#include <limits>
#include <span>

namespace kanatsumugi {

namespace {

constexpr std::size_t kBatchSize = 4096;
constexpr std::size_t kBlockSize = std::size_t{1} << 18;

std::uint32_t readingAfter(std::uint32_t reading, std::uint64_t steps) {
    return static_cast<std::uint32_t>((reading + steps) % kMillisecondsPerDay);
}

NameFilter filterOf(const KanaTables& tables, const CliOptions& options) {
    NameFilter filter;
    filter.minKana = options.minKana;
    filter.maxKana = options.maxKana;
    const auto add = [&](const std::vector<std::u32string>& texts, std::vector<std::string>& to,
                         bool required) {
        for (const std::u32string& text : texts) {
            if (const auto indices = inventoryIndices(tables, text)) {
                to.push_back(*indices);
            } else if (required) {
                filter.impossible = true;
            }
        }
    };
    add(options.startsWith, filter.startsWith, true);
    add(options.endsWith, filter.endsWith, true);
    add(options.contains, filter.contains, true);
    add(options.without, filter.without, false);
    return filter;
}

// The kept names that a name of the generator could equal.
UniqueNames stockedNames(const KanaTables& tables, const std::vector<std::string>& entries) {
    UniqueNames stocked;
    for (const std::string& entry : entries) {
        KanaIndexName name;
        bool usable = entry.size() % 2 == 0 && entry.size() / 2 <= KanaIndexName::kCapacity;
        for (std::size_t at = 0; usable && at < entry.size(); at += 2) {
            const int found = inventoryIndexOf(tables, std::string_view(entry).substr(at, 2), true);
            usable = found >= 0;
            name.kana[static_cast<std::size_t>(name.count++)] = static_cast<std::uint8_t>(found);
        }
        if (usable && name.count > 0) {
            stocked.insert(name);
        }
    }
    return stocked;
}

struct Match {
    std::uint32_t reading;
    KanaIndexName name;
};

// One stretch of readings, scanned on either thread: the lines of its matches, or
// for --unique the matches themselves, whose order the main thread must see.
struct Block {
    std::vector<char> bytes;
    std::size_t used = 0;
    std::vector<std::uint32_t> lineEnds; // kept only when readings are chosen
    std::vector<Match> matches;
    std::vector<KanaIndexName> batch = std::vector<KanaIndexName>(kBatchSize);
};

struct Run {
    const KanaTables& tables;
    const CliOptions& options;
    NameFilter filter;
    UniqueNames stocked;
    bool useStock;
    LineFormat format;

    [[nodiscard]] bool passes(const KanaIndexName& name) const {
        return filter.matches(name) && !(useStock && stocked.contains(name));
    }

    void scan(std::uint32_t firstReading, std::size_t count, Block& block) const {
        block.used = 0;
        block.lineEnds.clear();
        block.matches.clear();
        if (options.unique) {
            scanWith<true, true>(firstReading, count, block);
        } else if (options.choosesReadings()) {
            scanWith<true, false>(firstReading, count, block);
        } else {
            scanWith<false, false>(firstReading, count, block);
        }
    }

    // One loop for each kind of run, so that the plain run tests nothing per name.
    template <bool kChooses, bool kCollect>
    void scanWith(std::uint32_t firstReading, std::size_t count, Block& block) const {
        // The write position is held in locals: bytes stored through a char pointer may
        // alias anything, so fields would be read back from memory after every line.
        char* base = block.bytes.data();
        char* p = base;
        char* limit = base + block.bytes.size();
        for (std::size_t done = 0; done < count;) {
            const std::span<KanaIndexName> names(block.batch.data(),
                                                 std::min(kBatchSize, count - done));
            const std::uint32_t reading = readingAfter(firstReading, done);
            makeNames(tables, options.fixedLength, reading, names);
            for (std::size_t i = 0; i < names.size(); ++i) {
                const KanaIndexName& name = names[i];
                if (kChooses && !passes(name)) {
                    continue;
                }
                std::uint32_t at = reading + static_cast<std::uint32_t>(i);
                if (at >= kMillisecondsPerDay) {
                    at -= kMillisecondsPerDay;
                }
                if (kCollect) {
                    block.matches.push_back({at, name});
                    continue;
                }
                if (static_cast<std::size_t>(limit - p) < LineFormat::kMaxLineBytes) {
                    const auto used = static_cast<std::size_t>(p - base);
                    block.bytes.resize(std::max<std::size_t>(block.bytes.size() * 2, 1 << 16));
                    base = block.bytes.data();
                    p = base + used;
                    limit = base + block.bytes.size();
                }
                p = format.write(at, name, p);
                if (kChooses) {
                    block.lineEnds.push_back(static_cast<std::uint32_t>(p - base));
                }
            }
            done += names.size();
        }
        block.used = static_cast<std::size_t>(p - base);
    }
};

// Writes a block's lines, at most `room` of them; returns how many.
std::uint64_t emitLines(const Block& block, std::uint64_t room, bool chooses, std::size_t readings,
                        OutputBuffer& out) {
    const std::uint64_t lines = chooses ? block.lineEnds.size() : readings;
    if (lines <= room) {
        out.write({block.bytes.data(), block.used});
        return lines;
    }
    // The first block may already have given every line asked for.
    if (room == 0) {
        return 0;
    }
    out.write({block.bytes.data(), block.lineEnds[static_cast<std::size_t>(room) - 1]});
    return room;
}

} // namespace

RunResult printNames(const KanaTables& tables, const CliOptions& options,
                     const std::vector<std::string>& stockEntries, std::uint32_t startReading,
                     OutputBuffer& out) {
    const Run run{tables,
                  options,
                  filterOf(tables, options),
                  stockedNames(tables, stockEntries),
                  options.excludeStock.has_value(),
                  LineFormat(tables, options)};
    const bool chooses = options.choosesReadings();
    out.write(run.format.header());

    SeenReadings seen(tables, options.fixedLength);
    Block first;
    Block second;
    RunResult result;
    const auto consume = [&](const Block& block, std::size_t readings) {
        if (readings == 0) {
            return;
        }
        if (!options.unique) {
            result.printed +=
                emitLines(block, options.count - result.printed, chooses, readings, out);
            return;
        }
        for (const Match& match : block.matches) {
            if (result.printed == options.count) {
                break;
            }
            if (seen.insert(match.reading, match.name)) {
                char* const start = out.reserve(LineFormat::kMaxLineBytes);
                out.commit(static_cast<std::size_t>(
                    run.format.write(match.reading, match.name, start) - start));
                ++result.printed;
            }
        }
    };
    std::uint32_t reading = startReading % kMillisecondsPerDay;
    // Readings repeat daily, so after a whole day no later reading can pass a filter
    // that every reading of the day failed: stopping then prints exactly what waiting
    // would. Without filters every reading gives a line and the run may go on.
    std::uint64_t readingsLeft =
        chooses ? kMillisecondsPerDay : std::numeric_limits<std::uint64_t>::max();
    while (result.printed < options.count && readingsLeft > 0 && !out.closed()) {
        const std::uint64_t wanted = chooses ? readingsLeft : options.count - result.printed;
        const auto firstCount =
            static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, wanted));
        const auto secondCount =
            static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, wanted - firstCount));
        // Blocks are independent until they are printed: a second thread scans every
        // other one, which nearly halves a long run's time on two cores.
        std::future<void> helper;
        const std::uint32_t secondReading = readingAfter(reading, firstCount);
        if (secondCount > 0) {
            helper = std::async(std::launch::async,
                                [&] { run.scan(secondReading, secondCount, second); });
        }
        run.scan(reading, firstCount, first);
        if (secondCount > 0) {
            helper.get();
        }
        consume(first, firstCount);
        consume(second, secondCount);
        reading = readingAfter(reading, firstCount + secondCount);
        readingsLeft -= chooses ? firstCount + secondCount : 0;
    }
    out.flush();
    result.exhausted = result.printed < options.count && !out.closed();
    return result;
}

} // namespace kanatsumugi
