#include "cli/WordList.h"

#include "cli/DataFile.h"
#include "cli/KanaSymbols.h"

namespace kanatsumugi {

namespace {

constexpr std::size_t kLongestWord = 7;

} // namespace

WordList WordList::load(const std::filesystem::path& dataDir, const KanaSymbols& symbols) {
    const std::filesystem::path file = dataDir / kFileName;
    const std::string text = readCheckedData(file, "words");
    WordList list;
    std::size_t lineNumber = 1; // the header
    for (std::size_t at = 0; at < text.size();) {
        ++lineNumber;
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const auto word = symbols.read(std::string_view(text).substr(at, end - at), false);
        if (!word || word->size() > kLongestWord || !symbols.isSpellableName(*word) ||
            !list.words_.insert(*word)) {
            throwDataError(file, "damaged (line " + std::to_string(lineNumber) +
                                     " is no reading the generator can spell)");
        }
        at = end + 1;
    }
    list.words_.seal();
    return list;
}

} // namespace kanatsumugi
