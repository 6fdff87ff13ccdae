#pragma once

#include "generator/NameBatch.h"
#include "lexicon/Blocklist.h"
#include "lexicon/KanaSymbols.h"
#include "lexicon/NameScore.h"
#include "lexicon/NaturalCuts.h"
#include "lexicon/WordList.h"
#include "lexicon/WordRules.h"

#include <cstdint>
#include <optional>
#include <span>

namespace kanatsumugi {

class KanaTables;

// How a name of the user's rates: its score, its percentile among the generator's names of
// its length, whether it is a word, holds a blocked entry, or could be made at all.
struct Rating {
    double score = 0;
    std::optional<double> percentile;
    bool word = false;
    bool blocked = false;
    bool possible = false;
};

// The checks of `WordRules`, and the score and word of a name, with only the data files
// they need loaded.
class WordChecks {
public:
    // `fields`: the score and word of names are asked for. Raises AppError naming a data
    // file or blocklist that is missing or damaged.
    WordChecks(const KanaTables& tables, const WordRules& rules, bool fields);

    // Whether the kana text `utf8` holds an entry of the blocklists.
    [[nodiscard]] bool blocks(std::string_view utf8) const;

    // The log-probability per character, end included.
    [[nodiscard]] double score(const KanaIndexName& name) const {
        return NameScore::perCharacter(score_->total(name.indices()),
                                       static_cast<std::size_t>(name.count));
    }
    [[nodiscard]] bool isWord(const KanaIndexName& name) const {
        return words_->isWord(name.indices());
    }

    // The rating of `symbols`, of any length; needs every data file loaded.
    [[nodiscard]] Rating rate(const KanaTables& tables, std::string_view symbols) const;

    // Makes the names of `names` as makeNames does and marks which pass, in `passed`.
    // Each name is scored while it is drawn: the table reads overlap the drawing, which
    // waits on its random numbers.
    void makeAndCheck(const KanaTables& tables, std::optional<std::int32_t> fixedLength,
                      std::uint32_t firstReading, std::span<KanaIndexName> names,
                      std::span<std::uint8_t> passed) const;

private:
    // The word and blocklist checks of the names `passed` still marks.
    void checkWords(std::span<const KanaIndexName> names, std::span<std::uint8_t> passed) const;

    KanaSymbols symbols_;
    std::optional<Natural> natural_;
    bool newWords_ = false;
    std::optional<NameScore> score_;
    std::optional<NaturalCuts> cuts_;
    std::optional<WordList> words_;
    std::optional<Blocklist> blocklist_;
};

} // namespace kanatsumugi
