#pragma once

#include <string_view>

namespace kanatsumugi {

class KanaTables;

// Where a run of kana is to stand in a name: its start, its end, anywhere, or the whole name.
enum class Place { Start, End, Anywhere, Whole };

// The kana counts of the names asked about, `low` to `high`, and their morae at most;
// names are drawn at most `drawnHigh` long, and a name one kana longer closes with a pair.
struct NameLengths {
    int low = 2;
    int high = 9;
    int drawnHigh = 8;
    int moraeHigh = 9;
};

// Why a run of kana can never stand at its place in a name the generator draws.
struct Misfit {
    enum Kind {
        None,
        Foreign,         // `kana` is not in the inventory
        NeverFirst,      // `kana` never starts a name
        AloneFirst,      // `kana`, a small kana, would pair with the first kana, which stands alone
        NeverBehind,     // `kana` never follows `before`
        NeedsKanaBefore, // `kana` never starts a name, and no room is left before it
        TooLong,         // more kana than `high`
        SmallTooEarly,   // a small kana is never first or second, and no room is left before it
        ClosesSmall,     // it would end a name past the drawn length, which closes with a pair
        TooManyMorae,    // more morae than `moraeHigh`, with the kana it needs before it
        TooShort,        // a whole name of fewer than `low` kana
        NoRoom,          // no name of `low` to `high` kana can hold it at its place
    };
    Kind kind = None;
    int kana = 0;   // the kana at fault
    int before = 0; // the kana it cannot follow
    int count = 0;  // the count of kana that limits a run too long, too early or closing
};

// The first reason `indices` (inventory indices, one a byte) cannot stand at `place` in a
// name of `lengths`, or None.
Misfit misfitOf(const KanaTables& tables, std::string_view indices, Place place,
                const NameLengths& lengths = {});

// Whether a name of `lengths` can start with `start` and end with `end` (inventory indices),
// which may overlap in a short one.
bool startAndEndFit(const KanaTables& tables, std::string_view start, std::string_view end,
                    const NameLengths& lengths);

} // namespace kanatsumugi
