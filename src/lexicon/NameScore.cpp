#include "lexicon/NameScore.h"

#include "apperror/Messages.h"
#include "lexicon/DataFile.h"

#include <bit>
#include <cstring>

namespace kanatsumugi {

NameScore NameScore::load(const std::filesystem::path& dataDir) {
    const std::filesystem::path file = dataDir / kFileName;
    const std::string payload = readCheckedData(file, "natural-model");
    constexpr std::size_t kEntries = std::size_t{kSymbolCount} * kSymbolCount * kSymbolCount;
    if (payload.size() != kEntries * sizeof(std::int16_t)) {
        throwDataError(file, tr("holds a model of another size"));
    }
    NameScore score;
    score.table_.resize(std::size_t{1} << 3 * kBits);
    // The file is little-endian, as is every machine Debian builds this program for.
    static_assert(std::endian::native == std::endian::little);
    const char* row = payload.data();
    constexpr std::size_t kSymbols = kSymbolCount;
    constexpr std::size_t kRowBytes = kSymbols * sizeof(std::int16_t);
    for (std::size_t a = 0; a < kSymbols; ++a) {
        for (std::size_t b = 0; b < kSymbols; ++b, row += kRowBytes) {
            std::memcpy(&score.table_[(a << kBits | b) << kBits], row, kRowBytes);
        }
    }
    return score;
}

} // namespace kanatsumugi
