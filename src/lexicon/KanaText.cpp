#include "lexicon/KanaText.h"

#include "apperror/AppError.h"
#include "apperror/Messages.h"

#include <array>
#include <cstdio>

namespace kanatsumugi {

namespace {

// A character as a message shows it: "ア" (U+30A2), or only U+0009 for a control character.
std::string shown(char32_t character, std::string_view utf8) {
    std::array<char, 16> code{};
    std::snprintf(code.data(), code.size(), character > 0xFFFF ? "U+%06X" : "U+%04X",
                  static_cast<unsigned>(character));
    const bool printable = character >= 0xA0 || (character >= 0x20 && character < 0x7F);
    return printable ? quoted(utf8) + " (" + code.data() + ")" : std::string(code.data());
}

} // namespace

std::optional<char32_t> nextCharacter(std::string_view utf8, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(utf8[at]);
    const std::size_t size = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if ((lead >= 0x80 && lead < 0xC2) || lead > 0xF4 || at + size > utf8.size()) {
        return std::nullopt;
    }
    char32_t character = size == 1 ? lead : lead & (0x7F >> size);
    for (std::size_t i = 1; i < size; ++i) {
        const auto next = static_cast<unsigned char>(utf8[at + i]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        character = (character << 6) | (next & 0x3F);
    }
    // The shortest form only: a longer one would slip a character past a check of bytes.
    constexpr std::array<char32_t, 5> kLeast = {0, 0, 0x80, 0x800, 0x10000};
    if (character < kLeast[size] || (character >= 0xD800 && character < 0xE000) ||
        character > 0x10FFFF) {
        return std::nullopt;
    }
    at += size;
    return character;
}

std::optional<char32_t> katakanaOf(char32_t character) {
    if (character >= U'ぁ' && character <= U'ゖ') {
        return character + (U'ァ' - U'ぁ');
    }
    if ((character >= U'ァ' && character <= U'ヺ') || character == U'ー') {
        return character;
    }
    return std::nullopt;
}

std::string readKanaText(std::string_view utf8, std::string_view option) {
    if (utf8.empty()) {
        throw InputError(fill(tr("%s: the value is empty"), {option}));
    }
    std::string katakana;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t start = at;
        const auto character = nextCharacter(utf8, at);
        if (!character) {
            throw InputError(fill(tr("%s: the value is not UTF-8 (byte %s)"),
                                  {option, std::to_string(start + 1)}));
        }
        const auto kana = katakanaOf(*character);
        if (!kana) {
            throw InputError(fill(tr("%s takes hiragana or katakana only, not %s"),
                                  {option, shown(*character, utf8.substr(start, at - start))}));
        }
        // Every kana is three bytes.
        katakana += {static_cast<char>(0xE0 | (*kana >> 12)),
                     static_cast<char>(0x80 | ((*kana >> 6) & 0x3F)),
                     static_cast<char>(0x80 | (*kana & 0x3F))};
    }
    return katakana;
}

} // namespace kanatsumugi
