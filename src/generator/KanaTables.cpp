#include "generator/KanaTables.h"

#include "apperror/AppError.h"

#include <initializer_list>
#include <iterator>
#include <string>

namespace kanatsumugi {

namespace {

// Shift-JIS bytes of the inventory, in index order. The order is binding: names are
// drawn by index. Indices 0-50 may start a name, 51-58 are small kana, 59 ッ, 60 ー.
constexpr const char* kInventoryBytes[] = {
    "\x83\x41", "\x83\x43", "\x83\x45", "\x83\x47", "\x83\x49", // ア イ ウ エ オ
    "\x83\x4A", "\x83\x4C", "\x83\x4E", "\x83\x50", "\x83\x52", // カ キ ク ケ コ
    "\x83\x54", "\x83\x56", "\x83\x58", "\x83\x5A", "\x83\x5C", // サ シ ス セ ソ
    "\x83\x5E", "\x83\x60", "\x83\x63", "\x83\x65", "\x83\x67", // タ チ ツ テ ト
    "\x83\x89", "\x83\x8A", "\x83\x8B", "\x83\x8C", "\x83\x8D", // ラ リ ル レ ロ
    "\x83\x84", "\x83\x86", "\x83\x88", "\x83\x8F", "\x83\x93", // ヤ ユ ヨ ワ ン
    "\x83\x94", "\x83\x4B", "\x83\x4D", "\x83\x4F", "\x83\x51", // ヴ ガ ギ グ ゲ
    "\x83\x53", "\x83\x55", "\x83\x57", "\x83\x59", "\x83\x5B", // ゴ ザ ジ ズ ゼ
    "\x83\x5D", "\x83\x5F", "\x83\x61", "\x83\x64", "\x83\x66", // ゾ ダ ヂ ヅ デ
    "\x83\x68", "\x83\x6F", "\x83\x72", "\x83\x75", "\x83\x78", // ド バ ビ ブ ベ
    "\x83\x7B",                                                 // ボ
    "\x83\x40", "\x83\x42", "\x83\x44", "\x83\x46", "\x83\x48", // ァ ィ ゥ ェ ォ
    "\x83\x83", "\x83\x85", "\x83\x87",                         // ャ ュ ョ
    "\x83\x62", "\x81\x5B",                                     // ッ ー
};
constexpr int kInitialKanaCount = 51;

void fill(TIntList& table, std::initializer_list<std::int32_t> indices) {
    for (const std::int32_t index : indices) {
        table.Add(index);
    }
}

} // namespace

KanaTables KanaTables::build() {
    KanaTables t;
    // Order within a table is binding: a draw picks by position, and ツ stands twice in U.
    fill(t.tables_[A],
         {2, 7, 12, 17, 22, 0, 5, 10, 15, 20, 25, 28, 30, 31, 33, 35, 36, 41, 43, 46, 50});
    fill(t.tables_[I], {2, 12, 17, 30, 32, 37, 42, 43, 47});
    fill(t.tables_[U], {2, 7, 17, 12, 14, 17, 19, 22, 26, 33, 38, 40, 43, 48});
    fill(t.tables_[E],
         {1, 2, 5, 8, 11, 12, 13, 16, 17, 18, 23, 30, 32, 34, 38, 39, 42, 43, 44, 45, 49, 50});
    fill(t.tables_[O], {2, 7, 9, 12, 14, 17, 19, 24, 27, 30, 35, 38, 40, 43, 45, 48, 50});
    fill(t.tables_[Y], {6, 11, 16, 17, 21, 32, 37, 42, 43, 47});

    int index = 0;
    for (; index < kInitialKanaCount; ++index) {
        t.inventory_.emplace_back(kInventoryBytes[index], 2);
    }
    t.initialCount_ = static_cast<int>(t.inventory_.size());
    for (const int end = static_cast<int>(std::size(kInventoryBytes)); index < end; ++index) {
        t.inventory_.emplace_back(kInventoryBytes[index], 2);
    }
    return t;
}

void KanaTables::throwNoPairingTable(int smallKanaIndex) {
    throw AppError("小さい仮名 " + std::to_string(smallKanaIndex) + " の組み合わせ表はありません");
}

} // namespace kanatsumugi
