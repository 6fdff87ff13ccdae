#include "lexicon/Romaji.h"

#include "generator/KanaTables.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kanatsumugi {

namespace {

// Inventory indices 0 to 50. ヂ and ヅ are spelt apart from ジ and ズ (dji, dzu), so
// that no two names share a spelling.
constexpr std::array<std::string_view, 51> kKanaRomaji = {
    "a",  "i",   "u",   "e",   "o",  "ka", "ki",  "ku",  "ke", "ko", // ア..コ
    "sa", "shi", "su",  "se",  "so", "ta", "chi", "tsu", "te", "to", // サ..ト
    "ra", "ri",  "ru",  "re",  "ro", "ya", "yu",  "yo",  "wa", "n",  // ラ..ン
    "vu", "ga",  "gi",  "gu",  "ge", "go", "za",  "ji",  "zu", "ze", // ヴ..ゼ
    "zo", "da",  "dji", "dzu", "de", "do", "ba",  "bi",  "bu", "be", // ゾ..ベ
    "bo",                                                            // ボ
};

// What a small kana adds when its pair has no spelling of its own (see below).
constexpr std::array<std::string_view, 8> kSmallKanaRomaji = {"a", "i",  "u",  "e",
                                                              "o", "ya", "yu", "yo"};

struct Digraph {
    std::uint8_t carrier;
    std::uint8_t small; // 51 ァ ... 58 ョ
    std::string_view romaji;
};

// The pairs with a spelling people use. Every other pair the generator can make is
// written as its carrier, an apostrophe and the small kana's sound: カァ ka'a, スゥ su'u,
// ツャ tsu'ya. The apostrophe keeps カァ apart from カア (kaa) and ウァ from ワ.
constexpr Digraph kDigraphs[] = {
    {7, 51, "kwa"},  {17, 51, "tsa"}, {30, 51, "va"},  {33, 51, "gwa"}, {43, 51, "dza"},
    {2, 52, "wi"},   {12, 52, "si"},  {17, 52, "tsi"}, {30, 52, "vi"},  {43, 52, "dzi"},
    {19, 53, "tu"},  {1, 54, "ye"},   {2, 54, "we"},   {11, 54, "she"}, {16, 54, "che"},
    {17, 54, "tse"}, {30, 54, "ve"},  {32, 54, "gye"}, {42, 54, "dje"}, {43, 54, "dze"},
    {2, 55, "wo"},   {7, 55, "kwo"},  {17, 55, "tso"}, {30, 55, "vo"},  {43, 55, "dzo"},
    {6, 56, "kya"},  {6, 57, "kyu"},  {6, 58, "kyo"},  {11, 56, "sha"}, {11, 57, "shu"},
    {11, 58, "sho"}, {16, 56, "cha"}, {16, 57, "chu"}, {16, 58, "cho"}, {21, 56, "rya"},
    {21, 57, "ryu"}, {21, 58, "ryo"}, {32, 56, "gya"}, {32, 57, "gyu"}, {32, 58, "gyo"},
    {37, 56, "ja"},  {37, 57, "ju"},  {37, 58, "jo"},  {42, 56, "dja"}, {42, 57, "dju"},
    {42, 58, "djo"}, {47, 56, "bya"}, {47, 57, "byu"}, {47, 58, "byo"},
};

constexpr std::string_view kVowels = "aiueo";
constexpr std::string_view kMacrons[] = {"ā", "ī", "ū", "ē", "ō"};

bool isVowel(char c) {
    return kVowels.find(c) != std::string_view::npos;
}

// The spelling of a syllable: a kana of 0 to 50, or one with its small kana.
std::string syllable(int carrier, int small) {
    if (small < 0) {
        return std::string(kKanaRomaji[static_cast<std::size_t>(carrier)]);
    }
    for (const Digraph& digraph : kDigraphs) {
        if (digraph.carrier == carrier && digraph.small == small) {
            return std::string(digraph.romaji);
        }
    }
    return std::string(kKanaRomaji[static_cast<std::size_t>(carrier)]) + "'" +
           std::string(
               kSmallKanaRomaji[static_cast<std::size_t>(small - KanaTables::kFirstSmallKana)]);
}

// A name split into syllables, ッ and ー.
struct Token {
    int kana = 0;   // index of the kana, or of the carrier of a pair
    int small = -1; // the small kana of a pair
};

} // namespace

std::string romaji(std::string_view indices, RomajiStyle style) {
    std::vector<Token> tokens(indices.size());
    std::size_t count = 0;
    for (const char indexByte : indices) {
        const int index = static_cast<std::uint8_t>(indexByte);
        if (KanaTables::isSmall(index) && count > 0 && tokens[count - 1].small < 0 &&
            tokens[count - 1].kana < KanaTables::kFirstSmallKana) {
            tokens[count - 1].small = index;
        } else {
            tokens[count++] = Token{index, -1};
        }
    }
    std::string text;
    for (std::size_t t = 0; t < count; ++t) {
        const Token& token = tokens[t];
        const bool last = t + 1 == count;
        if (token.kana == KanaTables::kSmallTsu) {
            // ッ doubles the consonant after it (ッチ tch); with no consonant to double
            // (before a vowel, ン, ッ, ー or at the end) it is written t'.
            const Token* next = last ? nullptr : &tokens[t + 1];
            const bool doubles = next != nullptr && next->kana < KanaTables::kFirstSmallKana &&
                                 next->kana != KanaTables::kN;
            const std::string following = doubles ? syllable(next->kana, next->small) : "";
            if (doubles && following.starts_with("ch")) {
                text += 't';
            } else if (doubles && !isVowel(following.front())) {
                text += following.front();
            } else {
                text += "t'";
            }
        } else if (token.kana == KanaTables::kLongVowel) {
            // ー lengthens the vowel before it; where none stands (after ン, ッ or
            // another ー) it is a hyphen. ASCII writes it as a hyphen always, as Japanese
            // keyboard input does: a doubled vowel would spell キー like キイ.
            const bool afterVowel = !text.empty() && isVowel(text.back()) && t > 0 &&
                                    tokens[t - 1].kana != KanaTables::kLongVowel;
            if (!afterVowel || style == RomajiStyle::Ascii) {
                text += '-';
            } else {
                const char vowel = text.back();
                text.pop_back();
                text += kMacrons[kVowels.find(vowel)];
            }
        } else if (token.kana == KanaTables::kN) {
            // ン before a vowel or y is n', so that ンア (n'a) is not ナ.
            text += 'n';
            if (!last) {
                const Token& next = tokens[t + 1];
                if (next.kana < KanaTables::kFirstSmallKana) {
                    const char c = syllable(next.kana, next.small).front();
                    if (isVowel(c) || c == 'y') {
                        text += '\'';
                    }
                }
            }
        } else if (KanaTables::isSmall(token.kana)) {
            // A small kana without a carrier never comes from the generator.
            text += "x" + std::string(kSmallKanaRomaji[static_cast<std::size_t>(
                              token.kana - KanaTables::kFirstSmallKana)]);
        } else {
            text += syllable(token.kana, token.small);
        }
    }
    return text;
}

} // namespace kanatsumugi
