#include "generator/KanaTables.h"
#include "generator/NameBatch.h"
#include "generator/NameGenerator.h"
#include "generator/RandomSource.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <ctime>
#include <optional>
#include <vector>

using namespace kanatsumugi;

// Target: BM_KanaIndexNamesBatch/0 makes at least 60 million names a second on one
// core of the development machine, where the draws-only baseline runs 135 to 150
// million sets of seven draws a second: a "vs_baseline" of about 0.4, the figure to
// compare on other machines. Times are this thread's CPU time, so a busy machine
// disturbs the ratio little.

namespace {

std::uint32_t nextReading(std::uint32_t reading) {
    return reading + 1 == kMillisecondsPerDay ? 0 : reading + 1;
}

// Seven draws from a fresh seed per reading: roughly the arithmetic of one name
// without its branches and tables.
void drawSets(std::int64_t sets) {
    RandomSource random;
    std::uint32_t reading = 0;
    for (std::int64_t n = 0; n < sets; ++n) {
        random.setSeed(reading);
        std::int32_t sum = 0;
        for (int i = 0; i < 7; ++i) {
            sum += random.NextBelow(61);
        }
        benchmark::DoNotOptimize(sum);
        reading = nextReading(reading);
    }
}

// CPU time of this thread: other processes on the machine do not count against it.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Sets of draws a second, measured now, in this run.
double baselineRate() {
    constexpr std::int64_t kSets = 20'000'000;
    const double start = threadSeconds();
    drawSets(kSets);
    return static_cast<double>(kSets) / (threadSeconds() - start);
}

// Reports names/s as a ratio to the baseline measured just before the timed loop.
class RatioToBaseline {
public:
    RatioToBaseline()
        : baseline_(baselineRate())
        , start_(threadSeconds()) {}

    void report(benchmark::State& state, std::int64_t names) const {
        state.SetItemsProcessed(names);
        state.counters["vs_baseline"] =
            static_cast<double>(names) / (threadSeconds() - start_) / baseline_;
    }

private:
    double baseline_;
    double start_;
};

void BM_RandomDrawsOnly(benchmark::State& state) {
    for (auto _ : state) {
        drawSets(1000);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_RandomDrawsOnly);

// Consecutive clock readings in batches, as the command line makes them.
void BM_KanaIndexNamesBatch(benchmark::State& state) {
    const KanaTables tables = KanaTables::build();
    const std::optional<std::int32_t> fixedLength =
        state.range(0) == 0 ? std::nullopt : std::optional<std::int32_t>(state.range(0));
    std::vector<KanaIndexName> names(4096);
    std::uint32_t reading = 0;
    const RatioToBaseline ratio;
    for (auto _ : state) {
        makeNames(tables, fixedLength, reading, names);
        benchmark::DoNotOptimize(names.data());
        benchmark::ClobberMemory();
        reading = (reading + 4096) % kMillisecondsPerDay;
    }
    ratio.report(state, state.iterations() * 4096);
}
BENCHMARK(BM_KanaIndexNamesBatch)->Arg(0)->Arg(8);

// The window's path: a Shift-JIS std::string per name.
void BM_MakeName(benchmark::State& state) {
    const KanaTables tables = KanaTables::build();
    RandomSource random;
    std::uint32_t reading = 0;
    const RatioToBaseline ratio;
    for (auto _ : state) {
        random.setSeed(reading);
        benchmark::DoNotOptimize(makeName(tables, random, std::nullopt));
        reading = nextReading(reading);
    }
    ratio.report(state, state.iterations());
}
BENCHMARK(BM_MakeName);

} // namespace

BENCHMARK_MAIN();
