#include "generator/KanaTables.h"

#include "apperror/AppError.h"

#include <initializer_list>
#include <iterator>
#include <string>

namespace kanatsumugi {

namespace {

// The inventory in index order, each kana as the stock file holds it (Shift-JIS) and
// as a terminal shows it (UTF-8). The order is binding: names are drawn by index.
// Indices 0-50 may start a name, 51-58 are small kana, 59 ッ, 60 ー.
constexpr struct {
    const char* shiftJis;
    const char* utf8;
} kInventory[] = {
    {"\x83\x41", "ア"}, {"\x83\x43", "イ"}, {"\x83\x45", "ウ"}, {"\x83\x47", "エ"},
    {"\x83\x49", "オ"}, {"\x83\x4A", "カ"}, {"\x83\x4C", "キ"}, {"\x83\x4E", "ク"},
    {"\x83\x50", "ケ"}, {"\x83\x52", "コ"}, {"\x83\x54", "サ"}, {"\x83\x56", "シ"},
    {"\x83\x58", "ス"}, {"\x83\x5A", "セ"}, {"\x83\x5C", "ソ"}, {"\x83\x5E", "タ"},
    {"\x83\x60", "チ"}, {"\x83\x63", "ツ"}, {"\x83\x65", "テ"}, {"\x83\x67", "ト"},
    {"\x83\x89", "ラ"}, {"\x83\x8A", "リ"}, {"\x83\x8B", "ル"}, {"\x83\x8C", "レ"},
    {"\x83\x8D", "ロ"}, {"\x83\x84", "ヤ"}, {"\x83\x86", "ユ"}, {"\x83\x88", "ヨ"},
    {"\x83\x8F", "ワ"}, {"\x83\x93", "ン"}, {"\x83\x94", "ヴ"}, {"\x83\x4B", "ガ"},
    {"\x83\x4D", "ギ"}, {"\x83\x4F", "グ"}, {"\x83\x51", "ゲ"}, {"\x83\x53", "ゴ"},
    {"\x83\x55", "ザ"}, {"\x83\x57", "ジ"}, {"\x83\x59", "ズ"}, {"\x83\x5B", "ゼ"},
    {"\x83\x5D", "ゾ"}, {"\x83\x5F", "ダ"}, {"\x83\x61", "ヂ"}, {"\x83\x64", "ヅ"},
    {"\x83\x66", "デ"}, {"\x83\x68", "ド"}, {"\x83\x6F", "バ"}, {"\x83\x72", "ビ"},
    {"\x83\x75", "ブ"}, {"\x83\x78", "ベ"}, {"\x83\x7B", "ボ"}, {"\x83\x40", "ァ"},
    {"\x83\x42", "ィ"}, {"\x83\x44", "ゥ"}, {"\x83\x46", "ェ"}, {"\x83\x48", "ォ"},
    {"\x83\x83", "ャ"}, {"\x83\x85", "ュ"}, {"\x83\x87", "ョ"}, {"\x83\x62", "ッ"},
    {"\x81\x5B", "ー"},
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
        t.inventory_.push_back(
            {std::string(kInventory[index].shiftJis, 2), kInventory[index].utf8});
    }
    t.initialCount_ = static_cast<int>(t.inventory_.size());
    for (const int end = static_cast<int>(std::size(kInventory)); index < end; ++index) {
        t.inventory_.push_back(
            {std::string(kInventory[index].shiftJis, 2), kInventory[index].utf8});
    }
    return t;
}

std::string KanaTables::spell(std::string_view indices, bool utf8) const {
    std::string text;
    for (const char index : indices) {
        const Kana& kana = entry(static_cast<std::uint8_t>(index));
        text += utf8 ? kana.utf8 : kana.shiftJis;
    }
    return text;
}

int KanaTables::indexOf(std::string_view kanaBytes) const {
    for (std::size_t i = 0; i < inventory_.size(); ++i) {
        if (inventory_[i].shiftJis == kanaBytes || inventory_[i].utf8 == kanaBytes) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void KanaTables::throwNoPairingTable(int smallKanaIndex) {
    throw AppError("小さい仮名 " + std::to_string(smallKanaIndex) + " の組み合わせ表はありません");
}

bool KanaTables::mayFollow(int before, int kana) const {
    if (!isSmall(kana)) {
        return true;
    }
    const TIntList& partners = tableFor(kana);
    for (int i = 0; i < partners.Count(); ++i) {
        if (partners[i] == before) {
            return true;
        }
    }
    return false;
}

} // namespace kanatsumugi
