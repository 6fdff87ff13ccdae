#pragma once

#include "cli/Blocklist.h"
#include "cli/CliOptions.h"
#include "cli/KanaSymbols.h"
#include "cli/NameBatch.h"
#include "cli/NameScore.h"
#include "cli/NaturalCuts.h"
#include "cli/WordList.h"

#include <cstdint>
#include <optional>
#include <span>

namespace kanatsumugi {

class KanaTables;

// The checks of --natural, --new-words, --polite and --blocklist, and the score and word
// fields of tsv, csv and jsonl, with only the data files they need loaded.
class WordChecks {
public:
    // Raises AppError naming a data file or blocklist that is missing or damaged.
    WordChecks(const KanaTables& tables, const CliOptions& options);

    // Raises NoNameMatches when a text every name must hold holds a blocked entry.
    void checkTexts(const CliOptions& options) const;

    // The score of tsv, csv and jsonl: log-probability per character, end included.
    [[nodiscard]] double score(const KanaIndexName& name) const {
        return NameScore::perCharacter(score_->total(name.indices()),
                                       static_cast<std::size_t>(name.count));
    }
    [[nodiscard]] bool isWord(const KanaIndexName& name) const {
        return words_->isWord(name.indices());
    }

    // Marks which of `names` pass, in `passed`. The score comes first, as it refuses the
    // most names, and in a pass of its own over the whole batch: with no branch between
    // them, the table reads of many names overlap.
    void check(std::span<const KanaIndexName> names, std::span<std::uint8_t> passed) const;

private:
    KanaSymbols symbols_;
    std::optional<Natural> natural_;
    bool newWords_ = false;
    std::optional<NameScore> score_;
    std::optional<NaturalCuts> cuts_;
    std::optional<WordList> words_;
    std::optional<Blocklist> blocklist_;
};

} // namespace kanatsumugi
