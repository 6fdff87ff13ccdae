#include "generator/NamePlaces.h"

#include "generator/KanaTables.h"

#include <gtest/gtest.h>

#include <string>

using namespace kanatsumugi;

namespace {

struct PlaceCase {
    const char* text; // katakana; one outside the inventory reads as index 255
    Place place;
    NameLengths lengths;
    Misfit::Kind expected;
};

std::string indicesOf(const KanaTables& tables, std::string_view utf8) {
    std::string indices;
    for (std::size_t at = 0; at < utf8.size(); at += 3) {
        indices += static_cast<char>(tables.indexOf(utf8.substr(at, 3)));
    }
    return indices;
}

} // namespace

// Each rule of where kana can stand, at the edge where it starts to bite.
TEST(NamePlaces, EachRuleNamesTheFirstReasonARunCannotStand) {
    const NameLengths any;
    const NameLengths fixed3{4, 4, 3}; // -l 3 with --kana 4: every name closes with a pair
    const PlaceCase cases[] = {
        {"カヰ", Place::Anywhere, any, Misfit::Foreign},
        {"ッカ", Place::Start, any, Misfit::NeverFirst},
        {"ッカ", Place::Anywhere, any, Misfit::None},
        {"キャ", Place::Start, any, Misfit::AloneFirst},
        {"キャ", Place::Anywhere, any, Misfit::None},
        {"カャ", Place::Anywhere, any, Misfit::NeverBehind},
        {"カキクケ", Place::Start, {3, 3, 8}, Misfit::TooLong},
        {"ッカキ", Place::Anywhere, {2, 3, 8}, Misfit::NeedsKanaBefore},
        {"ッカ", Place::Anywhere, {2, 3, 2}, Misfit::ClosesSmall}, // -l 2: ?ッカ is too long
        {"ャ", Place::Anywhere, {2, 2, 8}, Misfit::SmallTooEarly},
        {"ャ", Place::Anywhere, {2, 3, 8}, Misfit::None},
        {"カキクケコサシスセ", Place::Start, any, Misfit::ClosesSmall},
        {"カキクケコサシキャ", Place::Whole, any, Misfit::None},
        {"カキクケ", Place::Anywhere, fixed3, Misfit::ClosesSmall},
        {"カ", Place::End, fixed3, Misfit::ClosesSmall},
        {"キャ", Place::End, fixed3, Misfit::None},
        {"キャキャ", Place::Anywhere, {2, 9, 8, 2}, Misfit::TooManyMorae}, // and one before
        {"キャキャ", Place::Anywhere, {2, 9, 8, 3}, Misfit::None},
        {"カ", Place::Whole, any, Misfit::TooShort},
        {"アエ", Place::Start, {3, 3, 2}, Misfit::NoRoom}, // -l 2 --kana 3: no small after エ
        {"アキ", Place::Start, {3, 3, 2}, Misfit::None},
        {"ッ", Place::Anywhere, {3, 3, 2}, Misfit::NoRoom}, // only second, before a small kana
    };
    const KanaTables tables = KanaTables::build();
    for (const PlaceCase& c : cases) {
        const Misfit misfit = misfitOf(tables, indicesOf(tables, c.text), c.place, c.lengths);
        EXPECT_EQ(misfit.kind, c.expected) << c.text << " at place " << static_cast<int>(c.place);
    }
}
