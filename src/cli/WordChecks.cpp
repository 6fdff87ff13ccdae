#include "cli/WordChecks.h"

#include "cli/DataFile.h"

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

} // namespace kanatsumugi
