#include "lexicon/WordList.h"

#include "apperror/Messages.h"
#include "lexicon/DataFile.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace kanatsumugi {

namespace {

constexpr std::size_t kLongestWord = 7;

// The kana of a number of the derivation script: its length above six bits a kana.
std::string unpacked(std::uint64_t key) {
    for (std::size_t length = KanaSet::kMinLength; length <= kLongestWord; ++length) {
        if (key >> (6 * length) == length) {
            std::string kana(length, '\0');
            for (std::size_t at = length; at-- > 0; key >>= 6) {
                kana[at] = static_cast<char>(key & 63u);
            }
            return kana;
        }
    }
    return {};
}

} // namespace

WordList WordList::load(const std::filesystem::path& dataDir) {
    const std::filesystem::path file = dataDir / kFileName;
    const std::string payload = readCheckedData(file, "words");
    if (payload.size() % sizeof(std::uint64_t) != 0) {
        throwDataError(file, tr("damaged (not a whole number of entries)"));
    }
    WordList list;
    std::uint64_t previous = 0;
    for (std::size_t at = 0; at < payload.size(); at += sizeof(std::uint64_t)) {
        std::uint64_t key = 0;
        std::memcpy(&key, payload.data() + at, sizeof key);
        if (key <= previous || !list.words_.insert(unpacked(key))) {
            throwDataError(file,
                           fill(tr("damaged (entry %s is no reading of 2 to 7 kana, in order)"),
                                {std::to_string(at / 8 + 1)}));
        }
        previous = key;
    }
    list.words_.seal();
    return list;
}

} // namespace kanatsumugi
