#pragma once

#include <string>
#include <string_view>

namespace kanatsumugi {

enum class RomajiStyle {
    Hepburn, // ー as a macron on the vowel before it
    Ascii,   // ー doubles the vowel before it; letters a-z and ' - only
};

// Hepburn romanisation of a name given as inventory indices (see KanaTables).
// In the Hepburn style no two different names give the same text.
std::string romaji(std::string_view indices, RomajiStyle style);

} // namespace kanatsumugi
