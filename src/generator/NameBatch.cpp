#include "generator/NameBatch.h"

#include "apperror/AppError.h"
#include "generator/NameGenerator.h"
#include "generator/RandomSource.h"

namespace kanatsumugi {

std::uint32_t readingAfter(std::uint32_t reading, std::uint64_t steps) {
    return static_cast<std::uint32_t>((reading + steps) % kMillisecondsPerDay);
}

void makeNames(const KanaTables& tables, std::optional<std::int32_t> fixedLength,
               std::uint32_t firstReading, std::span<KanaIndexName> names) {
    // The random length is 2 to 8 too; with a partner kana, no name passes kCapacity.
    if (fixedLength && (*fixedLength < 2 || *fixedLength > KanaIndexName::kMaxLength)) {
        throw AppError("length " + std::to_string(*fixedLength) + " out of range");
    }
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
        reading = readingAfter(reading, 1);
    }
}

} // namespace kanatsumugi
