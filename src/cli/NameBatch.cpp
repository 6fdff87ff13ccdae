#include "cli/NameBatch.h"

#include "generator/NameGenerator.h"
#include "generator/RandomSource.h"

namespace kanatsumugi {

void makeNames(const KanaTables& tables, std::optional<std::int32_t> fixedLength,
               std::uint32_t firstReading, std::span<KanaIndexName> names) {
    RandomSource random;
    std::uint32_t reading = firstReading % kMillisecondsPerDay;
    for (KanaIndexName& name : names) {
        random.setSeed(reading);
        // Writes straight into `name`: gathering the kana in a local array and copying
        // it whole would read back bytes still in the store buffer, a stall on every name.
        name.kana = {};
        std::size_t count = 0;
        drawName(tables, random, fixedLength,
                 [&](int index) { name.kana[count++] = static_cast<std::uint8_t>(index); });
        name.count = static_cast<int>(count);
        if (++reading == kMillisecondsPerDay) {
            reading = 0;
        }
    }
}

} // namespace kanatsumugi
