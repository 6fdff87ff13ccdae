#pragma once

#include "generator/KLists.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kanatsumugi {

// The 61 katakana a name is drawn from, as Shift-JIS byte pairs and as UTF-8, and the six
// pairing tables that say which kana may stand before each small kana.
// Built once, read-only afterwards.
class KanaTables {
public:
    static constexpr int kFirstSmallKana = 51;
    static constexpr int kLastSmallKana = 58;
    static constexpr int kN = 29;         // ン
    static constexpr int kSmallTsu = 59;  // ッ
    static constexpr int kLongVowel = 60; // ー

    // Builds the tables, then the inventory, in the program's fixed order.
    static KanaTables build();

    [[nodiscard]] int inventoryCount() const { return static_cast<int>(inventory_.size()); }
    // Shift-JIS bytes of inventory entry `index`; raises AppError outside 0..60.
    [[nodiscard]] const std::string& kana(int index) const { return entry(index).shiftJis; }
    // UTF-8 bytes of inventory entry `index`; raises AppError outside 0..60.
    [[nodiscard]] std::string_view kanaUtf8(int index) const { return entry(index).utf8; }
    // The kana of `indices`, one inventory index a byte, as UTF-8 or as Shift-JIS.
    [[nodiscard]] std::string spell(std::string_view indices, bool utf8) const;
    // The index of one kana given as its Shift-JIS pair or its UTF-8 bytes, or -1 when the
    // inventory does not hold it.
    [[nodiscard]] int indexOf(std::string_view kanaBytes) const;
    // How many leading inventory entries may start a name (51).
    [[nodiscard]] int initialCount() const { return initialCount_; }
    // Whether inventory entry `index` is a small kana, which pairs with the kana before it.
    [[nodiscard]] static constexpr bool isSmall(int index) {
        return index >= kFirstSmallKana && index <= kLastSmallKana;
    }
    // Whether `kana` may stand directly behind `before`: a small kana only behind a kana of
    // its pairing table, any other kana behind anything.
    [[nodiscard]] bool mayFollow(int before, int kana) const;
    // The pairing table for small kana 51..58; raises AppError for any other index.
    [[nodiscard]] const TIntList& tableFor(int smallKanaIndex) const {
        const auto slot = static_cast<unsigned>(smallKanaIndex - kFirstSmallKana);
        if (slot >= kTableOfSmallKana.size()) [[unlikely]] {
            throwNoPairingTable(smallKanaIndex);
        }
        return tables_[kTableOfSmallKana[slot]];
    }

private:
    // Tables are created in the order Y, A, I, U, E, O; ャ ュ ョ share Y.
    enum Table { Y, A, I, U, E, O, TableCount };
    static constexpr std::array<int, 8> kTableOfSmallKana = {A, I, U, E, O, Y, Y, Y};

    struct Kana {
        std::string shiftJis;
        std::string_view utf8;
    };

    KanaTables() = default;
    [[nodiscard]] const Kana& entry(int index) const {
        if (static_cast<unsigned>(index) >= inventory_.size()) [[unlikely]] {
            throwListIndexError(index);
        }
        return inventory_[static_cast<std::size_t>(index)];
    }
    [[noreturn]] static void throwNoPairingTable(int smallKanaIndex);

    std::vector<Kana> inventory_;
    int initialCount_ = 0;
    std::array<TIntList, TableCount> tables_;
};

} // namespace kanatsumugi
