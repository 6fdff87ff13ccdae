// The yardstick of bench/cli-whole-day.sh: every name of a day as a plain C++ loop
// would print it, one thread, the generator's own API, stdio's buffer.
#include "generator/KanaTables.h"
#include "generator/NameGenerator.h"
#include "generator/RandomSource.h"

#include <cstdio>
#include <string>

using namespace kanatsumugi;

int main() {
    const KanaTables tables = KanaTables::build();
    RandomSource random;
    std::string line;
    for (std::uint32_t reading = 0; reading < kMillisecondsPerDay; ++reading) {
        random.setSeed(reading);
        line.clear();
        drawName(tables, random, std::nullopt, [&](int index) { line += tables.kanaUtf8(index); });
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
