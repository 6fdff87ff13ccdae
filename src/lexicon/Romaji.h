#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kanatsumugi {

enum class RomajiStyle {
    Hepburn, // ー as a macron on the vowel before it
    Ascii,   // ー as "-"; letters a-z and ' - only
};

// The most bytes a kana adds to its romaji: three letters ("shi", "tsu'" for two kana),
// or a macron's two bytes in place of one letter.
inline constexpr std::size_t kMaxRomajiBytesPerKana = 4;

// Hepburn romanisation of a name given as inventory indices (see KanaTables).
// In either style no two different names give the same text.
std::string romaji(std::string_view indices, RomajiStyle style);

} // namespace kanatsumugi
