#include "generator/NameBatch.h"

#include "apperror/AppError.h"
#include "generator/NameGenerator.h"
#include "generator/RandomSource.h"

namespace kanatsumugi {

std::uint32_t readingAfter(std::uint32_t reading, std::uint64_t steps) {
    return static_cast<std::uint32_t>((reading + steps) % kMillisecondsPerDay);
}

void checkBatchLength(std::optional<std::int32_t> fixedLength) {
    // The random length is 2 to 8 too; with a partner kana, no name passes kCapacity.
    if (fixedLength && (*fixedLength < 2 || *fixedLength > KanaIndexName::kMaxLength)) {
        throw AppError("length " + std::to_string(*fixedLength) + " out of range");
    }
}

void makeNames(const KanaTables& tables, std::optional<std::int32_t> fixedLength,
               std::uint32_t firstReading, std::span<KanaIndexName> names) {
    makeNames(
        tables, fixedLength, firstReading, names, [](int) {}, [](const KanaIndexName&) {});
}

} // namespace kanatsumugi
