#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kanatsumugi {

class KanaTables;

// The symbols of the natural-sound model and of the word and block lists: inventory
// indices 0..60, then the boundary of a name and one symbol for every other katakana.
inline constexpr std::uint8_t kBoundarySymbol = 61;
inline constexpr std::uint8_t kOtherKanaSymbol = 62;
inline constexpr int kSymbolCount = 63;

// Reads kana text into symbols and says what the generator could spell.
class KanaSymbols {
public:
    explicit KanaSymbols(const KanaTables& tables);

    // The symbols of `utf8`, one byte each, hiragana read as katakana; nothing when a
    // character is not kana (or `hiragana` is false and one is hiragana).
    [[nodiscard]] std::optional<std::string> read(std::string_view utf8, bool hiragana) const;
    // Whether `symbols` can stand inside a generated name: inventory kana only, each small
    // kana directly behind a kana of its pairing table.
    [[nodiscard]] bool canStandInName(std::string_view symbols) const;

private:
    static constexpr char32_t kFirstKatakana = U'ァ';
    static constexpr char32_t kLastKatakana = U'ー';
    std::array<std::uint8_t, kLastKatakana - kFirstKatakana + 1> symbolOf_{};
    std::array<std::bitset<64>, 8> partners_;
};

} // namespace kanatsumugi
