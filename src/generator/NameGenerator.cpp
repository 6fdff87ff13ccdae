#include "NameGenerator.h"

#include "KanaTables.h"
#include "RandomSource.h"

namespace kanatsumugi {

GeneratedName makeName(const KanaTables& tables, RandomSource& random,
                       std::optional<std::int32_t> fixedLength)
{
    GeneratedName result;
    // The random length is drawn even when it is replaced, so it always takes the
    // first number of the sequence.
    result.targetLength = random.NextBelow(7) + 2;
    if (fixedLength) {
        result.targetLength = *fixedLength;
    }
    std::string& name = result.shiftJis;
    const int inventoryCount = tables.inventoryCount();
    std::int32_t position = 0;
    while (position < result.targetLength) {
        const int c = random.NextBelow(inventoryCount);
        if (position == 0) {
            if (c < tables.initialCount()) {
                name += tables.kana(c);
                position = 1;
            }
            continue;
        }
        if (c >= KanaTables::kFirstSmallKana && c <= KanaTables::kLastSmallKana) {
            const TIntList& partners = tables.tableFor(c);
            name += tables.kana(partners[random.NextBelow(partners.Count())]);
            ++position;
        }
        name += tables.kana(c);
        ++position;
    }
    return result;
}

} // namespace kanatsumugi
