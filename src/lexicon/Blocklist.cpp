#include "lexicon/Blocklist.h"

#include "apperror/Messages.h"
#include "lexicon/DataFile.h"
#include "lexicon/KanaSymbols.h"

#include <set>

namespace kanatsumugi {

Blocklist Blocklist::loadShipped(const std::filesystem::path& dataDir, const KanaSymbols& symbols) {
    Blocklist list;
    list.addFile(dataDir / kFileName, symbols, Source::Shipped);
    return list;
}

void Blocklist::addUserFile(const std::filesystem::path& file, const KanaSymbols& symbols) {
    addFile(file, symbols, Source::User);
}

void Blocklist::addFile(const std::filesystem::path& file, const KanaSymbols& symbols,
                        Source source) {
    std::string text = readWholeFile(file);
    const bool shipped = source == Source::Shipped;
    // Editors on Windows mark UTF-8 with a byte-order mark.
    if (!shipped && text.starts_with("\xEF\xBB\xBF")) {
        text.erase(0, 3);
    }
    std::set<std::string> seen;
    std::size_t lineNumber = 0;
    for (std::size_t at = 0; at < text.size();) {
        ++lineNumber;
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = std::string_view(text).substr(at, end - at);
        at = end + 1;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.empty() || (shipped && line.starts_with('#'))) {
            continue;
        }
        const auto fail = [&](const char* why) {
            throwDataError(file, fill(tr("line %s: %s"), {std::to_string(lineNumber), why}));
        };
        const auto entry = symbols.read(line, !shipped);
        if (!entry) {
            fail(shipped ? tr("not katakana") : tr("not katakana or hiragana"));
        }
        if (entry->size() < kShortestEntry) {
            fail(tr("an entry needs 2 kana or more"));
        }
        const bool usable = symbols.canStandInName(*entry);
        if (shipped && !usable) {
            fail(tr("no name of the generator can hold it"));
        }
        const bool repeated = !seen.insert(*entry).second;
        if (repeated && shipped) {
            fail(tr("listed twice"));
        }
        if (usable && !repeated) {
            const std::size_t pair = static_cast<unsigned char>((*entry)[0]) * kPairStride +
                                     static_cast<unsigned char>((*entry)[1]);
            byStart_[pair].push_back(*entry);
            starts_.set(pair);
            ++size_;
        }
    }
}

} // namespace kanatsumugi
