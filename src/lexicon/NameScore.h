#pragma once

#include "lexicon/KanaSymbols.h"

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace kanatsumugi {

// How natural a name sounds: the log-probability of its kana under a character trigram
// model of loanword readings, end of name included, kept as a dense table of thousandths
// of a nat so that a name costs a few table reads.
class NameScore {
    // In memory each symbol takes six bits of the index: shifts instead of multiplications
    // buy a seventh of a name's cost.
    static constexpr std::size_t kBits = 6;
    static constexpr std::size_t kContextMask = (std::size_t{1} << 2 * kBits) - 1;

public:
    static constexpr const char* kFileName = "natural-model.bin";
    static constexpr int kScale = 1000; // table entries per nat

    // Reads the model from `dataDir`; raises AppError naming the file when it is missing
    // or damaged.
    static NameScore load(const std::filesystem::path& dataDir);

    // The summed log-probability of `symbols` and the end, in thousandths of a nat.
    // Symbols are those of KanaSymbols; any other byte is read modulo 64, inside the table.
    [[nodiscard]] int total(std::string_view symbols) const {
        // Each read depends only on the name, not on the read before, so they overlap.
        std::size_t context = kStart;
        int sum = 0;
        for (const char c : symbols) {
            sum += step(context, static_cast<unsigned char>(c));
        }
        return sum + end(context);
    }
    // The same a kana at a time, from `context` = kStart: the term of `symbol`, with the
    // context moved on past it; then the term of the end.
    static constexpr std::size_t kStart = std::size_t{kBoundarySymbol} << kBits | kBoundarySymbol;
    [[nodiscard]] int step(std::size_t& context, std::size_t symbol) const {
        const std::size_t at = context << kBits | symbolOf(symbol);
        context = at & kContextMask;
        return table_[at];
    }
    [[nodiscard]] int end(std::size_t context) const {
        return table_[context << kBits | kBoundarySymbol];
    }
    // The score people see: log-probability per character, end included, in nats.
    [[nodiscard]] static double perCharacter(int total, std::size_t kanaCount) {
        return static_cast<double>(total) / kScale / static_cast<double>(kanaCount + 1);
    }

private:
    // A mask rather than a test: it costs a name's kana fewer instructions.
    [[nodiscard]] static std::size_t symbolOf(std::size_t symbol) {
        return symbol & ((std::size_t{1} << kBits) - 1);
    }

    std::vector<std::int16_t> table_;
};

} // namespace kanatsumugi
