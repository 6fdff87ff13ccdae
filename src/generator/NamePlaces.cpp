#include "generator/NamePlaces.h"

#include "generator/KanaTables.h"

#include <algorithm>

namespace kanatsumugi {

Misfit misfitOf(const KanaTables& tables, std::string_view indices, Place place,
                const NameLengths& lengths) {
    const auto kana = [indices](std::size_t at) {
        return static_cast<int>(static_cast<unsigned char>(indices[at]));
    };
    const auto foreign = std::ranges::find_if(
        indices, [&](char k) { return static_cast<unsigned char>(k) >= tables.inventoryCount(); });
    if (foreign != indices.end()) {
        return {Misfit::Foreign, static_cast<unsigned char>(*foreign)};
    }
    const bool first = place == Place::Start || place == Place::Whole;
    if (first && !indices.empty() && kana(0) >= tables.initialCount()) {
        return {Misfit::NeverFirst, kana(0)};
    }
    if (first && indices.size() > 1 && KanaTables::isSmall(kana(1))) {
        return {Misfit::AloneFirst, kana(1)};
    }
    for (std::size_t i = 1; i < indices.size(); ++i) {
        if (!tables.mayFollow(kana(i - 1), kana(i))) {
            return {Misfit::NeverBehind, kana(i), kana(i - 1)};
        }
    }
    const auto size = static_cast<int>(indices.size());
    if (size > lengths.high) {
        return {Misfit::TooLong, 0, 0, lengths.high};
    }
    // A run that does not start the name may need kana before it: one when its first kana
    // never starts a name, two before a small kana that would stand first or second.
    const auto small = std::ranges::find_if(
        indices, [](char k) { return KanaTables::isSmall(static_cast<unsigned char>(k)); });
    const int beforeFirst = !first && !indices.empty() && kana(0) >= tables.initialCount() ? 1 : 0;
    const auto beforeSmall =
        static_cast<int>(first || small == indices.end()
                             ? 0
                             : std::max<std::ptrdiff_t>(0, 2 - (small - indices.begin())));
    const int before = std::max(beforeFirst, beforeSmall);
    if (size + before > lengths.high) {
        return {beforeSmall > 0 ? Misfit::SmallTooEarly : Misfit::NeedsKanaBefore, kana(0), 0,
                lengths.high};
    }
    // A run past the drawn length reaches the end of a name that closes with a pair.
    const bool ends = place == Place::End || place == Place::Whole;
    const bool closesName =
        size + before > lengths.drawnHigh || (ends && lengths.low > lengths.drawnHigh);
    if (closesName && (indices.empty() || !KanaTables::isSmall(kana(indices.size() - 1)))) {
        return {Misfit::ClosesSmall, 0, 0, lengths.drawnHigh + 1};
    }
    // The kana before a run stand first or second, so each is a mora of its own.
    const auto smallCount = std::ranges::count_if(
        indices, [](char k) { return KanaTables::isSmall(static_cast<unsigned char>(k)); });
    if (size - smallCount + before > lengths.moraeHigh) {
        return {Misfit::TooManyMorae, 0, 0, lengths.moraeHigh};
    }
    if (place == Place::Whole && size < lengths.low) {
        return {Misfit::TooShort, 0, 0, lengths.low};
    }
    return {};
}

} // namespace kanatsumugi
