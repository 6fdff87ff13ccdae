#include "generator/NameGenerator.h"

namespace kanatsumugi {

GeneratedName makeName(const KanaTables& tables, RandomSource& random,
                       std::optional<std::int32_t> fixedLength) {
    GeneratedName result;
    result.targetLength = drawName(tables, random, fixedLength,
                                   [&](int index) { result.shiftJis += tables.kana(index); });
    return result;
}

} // namespace kanatsumugi
