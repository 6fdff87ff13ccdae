#pragma once

#include "cli/Blocklist.h"
#include "cli/CliOptions.h"
#include "cli/KanaSymbols.h"
#include "cli/NameBatch.h"
#include "cli/NameScore.h"
#include "cli/NaturalCuts.h"
#include "cli/WordList.h"

#include <optional>

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

    // The score first: it refuses the most names at the least cost.
    [[nodiscard]] bool passes(const KanaIndexName& name) const {
        const std::string_view indices = name.indices();
        if (natural_ && !cuts_->keeps(score_->total(indices), indices, *natural_)) {
            return false;
        }
        if (newWords_ && words_->isWord(indices)) {
            return false;
        }
        return !blocklist_ || !blocklist_->blocks(indices);
    }

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
