#pragma once

#include "KLists.h"

#include <array>
#include <string>
#include <vector>

namespace kanatsumugi {

// The 61 katakana a name is drawn from, as Shift-JIS byte pairs, and the six
// pairing tables that say which kana may stand before each small kana.
// Built once, read-only afterwards.
class KanaTables {
public:
    static constexpr int kFirstSmallKana = 51;
    static constexpr int kLastSmallKana = 58;

    // Builds the tables, then the inventory, in the program's fixed order.
    static KanaTables build();

    int inventoryCount() const;
    // Shift-JIS bytes of inventory entry `index`; raises AppError outside 0..60.
    const std::string& kana(int index) const;
    // How many leading inventory entries may start a name (51).
    int initialCount() const { return initialCount_; }
    // The pairing table for small kana 51..58; raises AppError for any other index.
    const TIntList& tableFor(int smallKanaIndex) const;

private:
    KanaTables() = default;

    std::vector<std::string> inventory_;
    int initialCount_ = 0;
    TIntList tableY_, tableA_, tableI_, tableU_, tableE_, tableO_;
};

} // namespace kanatsumugi
