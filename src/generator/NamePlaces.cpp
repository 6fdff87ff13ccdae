#include "generator/NamePlaces.h"

#include "generator/KanaTables.h"

#include <algorithm>
#include <vector>

namespace kanatsumugi {

namespace {

constexpr int kChosen = -1; // a place whose kana may be chosen freely

// Whether a name can hold the kana `given`, one a place, and have `given.size()` kana: every
// kana, given or chosen, must be able to stand at its place and beside the kana given around
// it. A kana between two chosen ones is always found, so each place is checked against the
// given kana alone. The given kana must not hold more morae than a name may.
bool canHold(const KanaTables& tables, const std::vector<int>& given, const NameLengths& lengths) {
    const auto size = static_cast<int>(given.size());
    const auto at = [&](int place) {
        return place >= 0 && place < size ? given[static_cast<std::size_t>(place)] : kChosen;
    };
    for (int place = 0; place < size; ++place) {
        const auto fits = [&](int kana) {
            return (place > 0 || kana < tables.initialCount()) &&
                   (place >= 2 || !KanaTables::isSmall(kana)) &&
                   (place + 1 < size || size <= lengths.drawnHigh || KanaTables::isSmall(kana)) &&
                   (at(place - 1) == kChosen || tables.mayFollow(at(place - 1), kana)) &&
                   (at(place + 1) == kChosen || tables.mayFollow(kana, at(place + 1)));
        };
        bool found = at(place) != kChosen && fits(at(place));
        for (int kana = 0; at(place) == kChosen && !found && kana < tables.inventoryCount();
             ++kana) {
            found = fits(kana);
        }
        if (!found) {
            return false;
        }
    }
    return std::ranges::count_if(given, [](int kana) {
               return kana != kChosen && !KanaTables::isSmall(kana);
           }) <= lengths.moraeHigh;
}

// Lays `run` over `given` from `offset`; false where a place already holds another kana.
bool lay(std::vector<int>& given, std::string_view run, int offset) {
    for (std::size_t i = 0; i < run.size(); ++i) {
        int& place = given[static_cast<std::size_t>(offset) + i];
        const int kana = static_cast<unsigned char>(run[i]);
        if (place != kChosen && place != kana) {
            return false;
        }
        place = kana;
    }
    return true;
}

// The name lengths to try: `lengths`, and no longer than the longest name drawn.
int shortest(const NameLengths& lengths, std::size_t run) {
    return std::max(lengths.low, static_cast<int>(run));
}
int longest(const NameLengths& lengths) {
    return std::min(lengths.high, lengths.drawnHigh + 1);
}

bool holdsSomewhere(const KanaTables& tables, std::string_view run, Place place,
                    const NameLengths& lengths) {
    const auto size = static_cast<int>(run.size());
    for (int n = shortest(lengths, run.size()); n <= longest(lengths); ++n) {
        // A start is laid at the name's start, an end at its end, a whole name at both.
        const int from = place == Place::End || place == Place::Whole ? n - size : 0;
        const int to = place == Place::Start || place == Place::Whole ? 0 : n - size;
        for (int offset = from; offset <= to; ++offset) {
            std::vector<int> given(static_cast<std::size_t>(n), kChosen);
            if (lay(given, run, offset) && canHold(tables, given, lengths)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

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
    if (!holdsSomewhere(tables, indices, place, lengths)) {
        return {Misfit::NoRoom};
    }
    return {};
}

bool startAndEndFit(const KanaTables& tables, std::string_view start, std::string_view end,
                    const NameLengths& lengths) {
    for (int n = shortest(lengths, std::max(start.size(), end.size())); n <= longest(lengths);
         ++n) {
        std::vector<int> given(static_cast<std::size_t>(n), kChosen);
        if (lay(given, start, 0) && lay(given, end, n - static_cast<int>(end.size())) &&
            canHold(tables, given, lengths)) {
            return true;
        }
    }
    return false;
}

} // namespace kanatsumugi
