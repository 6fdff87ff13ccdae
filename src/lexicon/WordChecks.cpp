#include "lexicon/WordChecks.h"

#include "generator/NamePlaces.h"
#include "lexicon/DataFile.h"

#include <algorithm>

namespace kanatsumugi {

WordChecks::WordChecks(const KanaTables& tables, const WordRules& rules, bool fields)
    : symbols_(tables)
    , natural_(rules.natural)
    , newWords_(rules.newWords) {
    const std::filesystem::path data = dataDirectory();
    if (natural_ || fields) {
        score_ = NameScore::load(data);
    }
    if (natural_) {
        cuts_ = NaturalCuts::load(data);
    }
    if (newWords_ || fields) {
        words_ = WordList::load(data);
    }
    if (rules.polite || !rules.blocklists.empty()) {
        blocklist_ = rules.polite ? Blocklist::loadShipped(data, symbols_) : Blocklist();
        for (const std::string& file : rules.blocklists) {
            blocklist_->addUserFile(file, symbols_);
        }
    }
}

bool WordChecks::blocks(std::string_view utf8) const {
    const auto symbols = symbols_.read(utf8, false);
    return blocklist_ && symbols && blocklist_->blocks(*symbols);
}

void WordChecks::makeAndCheck(const KanaTables& tables, std::optional<std::int32_t> fixedLength,
                              std::uint32_t firstReading, std::span<KanaIndexName> names,
                              std::span<std::uint8_t> passed) const {
    if (!natural_) {
        makeNames(tables, fixedLength, firstReading, names);
        std::fill(passed.begin(), passed.end(), 1);
        return checkWords(names, passed);
    }
    std::size_t context = NameScore::kStart;
    int total = 0;
    std::uint8_t* pass = passed.data();
    makeNames(
        tables, fixedLength, firstReading, names,
        [&](int kana) { total += score_->step(context, static_cast<std::size_t>(kana)); },
        [&](const KanaIndexName& name) {
            *pass++ = cuts_->keeps(total + score_->end(context), name.indices(), *natural_);
            context = NameScore::kStart;
            total = 0;
        });
    checkWords(names, passed);
}

void WordChecks::checkWords(std::span<const KanaIndexName> names,
                            std::span<std::uint8_t> passed) const {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (passed[i] != 0) {
            const std::string_view indices = names[i].indices();
            passed[i] = (!newWords_ || !words_->isWord(indices)) &&
                        (!blocklist_ || !blocklist_->blocks(indices));
        }
    }
}

Rating WordChecks::rate(const KanaTables& tables, std::string_view symbols) const {
    const int total = score_->total(symbols);
    return {NameScore::perCharacter(total, symbols.size()), cuts_->percentile(total, symbols),
            words_->isWord(symbols), blocklist_->blocks(symbols),
            misfitOf(tables, symbols, Place::Whole).kind == Misfit::None};
}

} // namespace kanatsumugi
