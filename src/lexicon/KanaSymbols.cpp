#include "lexicon/KanaSymbols.h"

#include "generator/KanaTables.h"

namespace kanatsumugi {

namespace {

constexpr std::uint8_t kNotKana = 255;

// One UTF-8 character of three bytes (every kana), or 0 for anything else.
char32_t threeByteCharacter(std::string_view text, std::size_t at) {
    if (at + 3 > text.size()) {
        return 0;
    }
    const auto byte = [&](std::size_t i) {
        return static_cast<unsigned char>(text[at + i]);
    };
    if ((byte(0) & 0xF0) != 0xE0 || (byte(1) & 0xC0) != 0x80 || (byte(2) & 0xC0) != 0x80) {
        return 0;
    }
    return ((byte(0) & 0x0Fu) << 12) | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
}

} // namespace

KanaSymbols::KanaSymbols(const KanaTables& tables) {
    symbolOf_.fill(kOtherKanaSymbol);
    // ・ and ヽ ヾ ヿ are not kana of a name; ー is.
    symbolOf_[U'・' - kFirstKatakana] = kNotKana;
    for (int index = 0; index < tables.inventoryCount(); ++index) {
        const char32_t kana = threeByteCharacter(tables.kanaUtf8(index), 0);
        symbolOf_[kana - kFirstKatakana] = static_cast<std::uint8_t>(index);
    }
    for (int small = KanaTables::kFirstSmallKana; small <= KanaTables::kLastSmallKana; ++small) {
        const TIntList& table = tables.tableFor(small);
        for (int k = 0; k < table.Count(); ++k) {
            partners_[static_cast<std::size_t>(small - KanaTables::kFirstSmallKana)].set(
                static_cast<std::size_t>(table[k]));
        }
    }
}

std::optional<std::string> KanaSymbols::read(std::string_view utf8, bool hiragana) const {
    std::string symbols;
    for (std::size_t at = 0; at < utf8.size(); at += 3) {
        char32_t c = threeByteCharacter(utf8, at);
        if (hiragana && c >= U'ぁ' && c <= U'ゖ') {
            c += U'ァ' - U'ぁ';
        }
        if (c < kFirstKatakana || c > kLastKatakana || symbolOf_[c - kFirstKatakana] == kNotKana) {
            return std::nullopt;
        }
        symbols.push_back(static_cast<char>(symbolOf_[c - kFirstKatakana]));
    }
    return symbols;
}

bool KanaSymbols::canStandInName(std::string_view symbols) const {
    for (std::size_t at = 0; at < symbols.size(); ++at) {
        const int symbol = static_cast<unsigned char>(symbols[at]);
        if (symbol >= KanaTables::kFirstSmallKana && symbol <= KanaTables::kLastSmallKana) {
            const auto& partners =
                partners_[static_cast<std::size_t>(symbol - KanaTables::kFirstSmallKana)];
            if (at == 0 || !partners.test(static_cast<unsigned char>(symbols[at - 1]))) {
                return false;
            }
        } else if (symbol >= kBoundarySymbol) {
            return false;
        }
    }
    return true;
}

bool KanaSymbols::isSpellableName(std::string_view symbols) const {
    if (symbols.empty() || static_cast<unsigned char>(symbols[0]) >= KanaTables::kFirstSmallKana ||
        !canStandInName(symbols)) {
        return false;
    }
    // The first kana is drawn on its own, so a partner and its small kana come after it.
    const auto second = symbols.size() < 2 ? 0 : static_cast<unsigned char>(symbols[1]);
    return second < KanaTables::kFirstSmallKana || second > KanaTables::kLastSmallKana;
}

} // namespace kanatsumugi
