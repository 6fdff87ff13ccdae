#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kanatsumugi {

// Kana text as people type it: UTF-8, katakana or hiragana, hiragana read as the katakana
// of the same sound. The kana are ァ to ヺ and ー (not ・), and ぁ to ゖ.

// The character that starts at `at` (inside `utf8`), in its shortest UTF-8 form, with `at`
// moved past it; nothing when the bytes there are not UTF-8 (cut short, a stray byte, a
// longer form than needed, a surrogate or beyond U+10FFFF).
std::optional<char32_t> nextCharacter(std::string_view utf8, std::size_t& at);

// `character` in katakana: a hiragana becomes the katakana of the same sound; nothing
// for a character that is not kana.
std::optional<char32_t> katakanaOf(char32_t character);

// `utf8` in katakana, as UTF-8. Raises InputError naming `option` when the text is empty,
// not UTF-8 (naming the byte) or holds a character that is not kana (naming it).
std::string readKanaText(std::string_view utf8, std::string_view option);

} // namespace kanatsumugi
