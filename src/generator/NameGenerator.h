#pragma once

#include "generator/KanaTables.h"
#include "generator/RandomSource.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kanatsumugi {

// One generated name and the length that was aimed at.
struct GeneratedName {
    std::int32_t targetLength = 0;
    std::string shiftJis; // two bytes per kana, 2 to 9 kana (empty for a length of 0 or less)
};

// Draws one name from a freshly seeded random source. The random length is always
// drawn first; `fixedLength`, when given, then replaces it unclamped.
GeneratedName makeName(const KanaTables& tables, RandomSource& random,
                       std::optional<std::int32_t> fixedLength);

// The one generation algorithm, behind makeName and every batch of names: hands each
// inventory index of the name to `append`, in order, and returns the target length.
// A template in the header so that a caller making millions of names gets it inlined
// with its own `append`: a call per name costs as much as a fifth of the name itself.
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
    if (targetLength > 0) {
        const int inventoryCount = tables.inventoryCount();
        const int initialCount = tables.initialCount();
        int first = 0;
        do {
            first = random.NextBelow(inventoryCount);
        } while (first >= initialCount);
        append(first);
        for (std::int32_t position = 1; position < targetLength; ++position) {
            const int c = random.NextBelow(inventoryCount);
            if (KanaTables::isSmall(c)) {
                const TIntList& partners = tables.tableFor(c);
                append(partners[random.NextBelow(partners.Count())]);
                ++position;
            }
            append(c);
        }
    }
    source = random;
    return targetLength;
}

} // namespace kanatsumugi
