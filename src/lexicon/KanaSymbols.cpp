#include "lexicon/KanaSymbols.h"

#include "generator/KanaTables.h"
#include "lexicon/KanaText.h"

namespace kanatsumugi {

KanaSymbols::KanaSymbols(const KanaTables& tables) {
    symbolOf_.fill(kOtherKanaSymbol);
    for (int index = 0; index < tables.inventoryCount(); ++index) {
        std::size_t at = 0;
        const char32_t kana = nextCharacter(tables.kanaUtf8(index), at).value();
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
    for (std::size_t at = 0; at < utf8.size();) {
        const auto character = nextCharacter(utf8, at);
        const auto kana = character ? katakanaOf(*character) : std::nullopt;
        if (!kana || (*kana != *character && !hiragana)) {
            return std::nullopt;
        }
        symbols.push_back(static_cast<char>(symbolOf_[*kana - kFirstKatakana]));
    }
    return symbols;
}

bool KanaSymbols::canStandInName(std::string_view symbols) const {
    for (std::size_t at = 0; at < symbols.size(); ++at) {
        const int symbol = static_cast<unsigned char>(symbols[at]);
        if (KanaTables::isSmall(symbol)) {
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

} // namespace kanatsumugi
