#include "cli/KanaUtf8.h"

#include "generator/KLists.h"

#include <array>

namespace kanatsumugi {

namespace {

// Same order as the Shift-JIS inventory; a test checks the two agree.
constexpr std::array<std::string_view, 61> kKanaUtf8 = {
    "ア", "イ", "ウ", "エ", "オ", "カ", "キ", "ク", "ケ", "コ", "サ", "シ", "ス", "セ", "ソ", "タ",
    "チ", "ツ", "テ", "ト", "ラ", "リ", "ル", "レ", "ロ", "ヤ", "ユ", "ヨ", "ワ", "ン", "ヴ", "ガ",
    "ギ", "グ", "ゲ", "ゴ", "ザ", "ジ", "ズ", "ゼ", "ゾ", "ダ", "ヂ", "ヅ", "デ", "ド", "バ", "ビ",
    "ブ", "ベ", "ボ", "ァ", "ィ", "ゥ", "ェ", "ォ", "ャ", "ュ", "ョ", "ッ", "ー",
};

} // namespace

std::string_view kanaUtf8(int index) {
    if (static_cast<unsigned>(index) >= kKanaUtf8.size()) {
        throwListIndexError(index);
    }
    return kKanaUtf8[static_cast<std::size_t>(index)];
}

} // namespace kanatsumugi
