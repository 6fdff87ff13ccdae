#include "generator/NameGenerator.h"

#include "apperror/AppError.h"
#include "generator/KanaTables.h"
#include "generator/RandomSource.h"

#include <string>

namespace kanatsumugi {

namespace {

// The one generation algorithm; `append` receives each inventory index in order.
// Always inlined: a call per name costs as much as a fifth of the name itself.
template <typename AppendKana>
[[gnu::always_inline]] inline std::int32_t drawName(const KanaTables& tables, RandomSource& source,
                                                    std::optional<std::int32_t> fixedLength,
                                                    AppendKana&& append) {
    // Draw from a local copy so the seed stays in a register; byte stores by `append`
    // would otherwise force it through memory on every draw.
    RandomSource random = source;
    // The random length is drawn even when it is replaced, so it always takes the
    // first number of the sequence.
    std::int32_t targetLength = random.NextBelow(7) + 2;
    if (fixedLength) {
        targetLength = *fixedLength;
    }
    const int inventoryCount = tables.inventoryCount();
    const int initialCount = tables.initialCount();
    if (targetLength <= 0) {
        source = random;
        return targetLength;
    }
    int first = 0;
    do {
        first = random.NextBelow(inventoryCount);
    } while (first >= initialCount);
    append(first);
    for (std::int32_t position = 1; position < targetLength; ++position) {
        const int c = random.NextBelow(inventoryCount);
        if (c >= KanaTables::kFirstSmallKana && c <= KanaTables::kLastSmallKana) {
            const TIntList& partners = tables.tableFor(c);
            append(partners[random.NextBelow(partners.Count())]);
            ++position;
        }
        append(c);
    }
    source = random;
    return targetLength;
}

} // namespace

GeneratedName makeName(const KanaTables& tables, RandomSource& random,
                       std::optional<std::int32_t> fixedLength) {
    GeneratedName result;
    result.targetLength = drawName(tables, random, fixedLength,
                                   [&](int index) { result.shiftJis += tables.kana(index); });
    return result;
}

namespace {

void requireWindowLength(std::optional<std::int32_t> fixedLength) {
    if (fixedLength && (*fixedLength < 2 || *fixedLength > 8)) {
        throw AppError("文字数は2から8で指定してください (" + std::to_string(*fixedLength) + ")");
    }
}

// Writes straight into `name`: gathering the kana in a local array and copying it
// whole would read back bytes still in the store buffer, a stall on every name.
[[gnu::always_inline]] inline std::int32_t
drawKanaIndexName(const KanaTables& tables, RandomSource& random,
                  std::optional<std::int32_t> fixedLength, KanaIndexName& name) {
    name.kana = {};
    std::size_t count = 0;
    const std::int32_t targetLength = drawName(tables, random, fixedLength, [&](int index) {
        name.kana[count++] = static_cast<std::uint8_t>(index);
    });
    name.count = static_cast<int>(count);
    return targetLength;
}

} // namespace

std::int32_t makeKanaIndexName(const KanaTables& tables, RandomSource& random,
                               std::optional<std::int32_t> fixedLength, KanaIndexName& name) {
    requireWindowLength(fixedLength);
    return drawKanaIndexName(tables, random, fixedLength, name);
}

void makeKanaIndexNames(const KanaTables& tables, std::optional<std::int32_t> fixedLength,
                        std::uint32_t firstReading, std::span<KanaIndexName> names) {
    requireWindowLength(fixedLength);
    RandomSource random;
    std::uint32_t reading = firstReading % kMillisecondsPerDay;
    for (KanaIndexName& name : names) {
        random.setSeed(reading);
        drawKanaIndexName(tables, random, fixedLength, name);
        if (++reading == kMillisecondsPerDay) {
            reading = 0;
        }
    }
}

} // namespace kanatsumugi
