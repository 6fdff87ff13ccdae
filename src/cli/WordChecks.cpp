#include "cli/WordChecks.h"

#include "cli/DataFile.h"
#include "cli/Messages.h"
#include "cli/NameFilter.h"

namespace kanatsumugi {

WordChecks::WordChecks(const KanaTables& tables, const CliOptions& options)
    : symbols_(tables)
    , natural_(options.natural)
    , newWords_(options.newWords) {
    const std::filesystem::path data = dataDirectory();
    const bool fields = options.format != OutputFormat::Plain;
    if (natural_ || fields) {
        score_ = NameScore::load(data);
    }
    if (natural_) {
        cuts_ = NaturalCuts::load(data);
    }
    if (newWords_ || fields) {
        words_ = WordList::load(data);
    }
    if (options.polite || !options.blocklists.empty()) {
        blocklist_ = options.polite ? Blocklist::loadShipped(data, symbols_) : Blocklist();
        for (const std::string& file : options.blocklists) {
            blocklist_->addUserFile(file, symbols_);
        }
    }
}

void WordChecks::checkTexts(const CliOptions& options) const {
    for (const auto& [rule, utf8] : options.texts) {
        const auto symbols = symbols_.read(utf8, false);
        if (blocklist_ && NameFilter::required(rule) && symbols && blocklist_->blocks(*symbols)) {
            throw NoNameMatches(
                fill(tr("%s %s: it holds an entry of the blocklist"), {optionOf(rule), utf8}));
        }
    }
}

void WordChecks::check(std::span<const KanaIndexName> names, std::span<std::uint8_t> passed) const {
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string_view indices = names[i].indices();
        passed[i] = !natural_ || cuts_->keeps(score_->total(indices), indices, *natural_);
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (passed[i] != 0) {
            const std::string_view indices = names[i].indices();
            passed[i] = (!newWords_ || !words_->isWord(indices)) &&
                        (!blocklist_ || !blocklist_->blocks(indices));
        }
    }
}

} // namespace kanatsumugi
