#pragma once

#include "generator/KanaTables.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kanatsumugi {

// How natural a name must sound to be kept: the top 50, 25, 10 or 1 % of the
// generator's names of the same length.
enum class Natural { Low, Mid, High, Max };
inline constexpr std::array<double, 4> kNaturalShares = {0.50, 0.25, 0.10, 0.01};

// Names are ranked against names of the same length and the same ending: a name that
// ends in a small kana and its partner can be one kana longer than the length asked
// for, so those names are as frequent as their length alone would not say, with a
// length of -l or without. Apart, every kind of day keeps each preset's share.
inline constexpr std::size_t kMaxRankedLength = 9;
inline constexpr std::size_t kNameShapes = (kMaxRankedLength + 1) * 2;
inline std::size_t nameShape(std::string_view symbols) {
    // Anything too long shares the slot of length 0, which keeps nothing.
    const std::size_t length = symbols.size() <= kMaxRankedLength ? symbols.size() : 0;
    const int last = symbols.empty() ? 0 : static_cast<unsigned char>(symbols.back());
    return length * 2 + (KanaTables::isSmall(last) ? 1 : 0);
}

// How often each model total (NameScore::total) occurs among names of each shape.
struct TotalHistogram {
    static constexpr int kLowestTotal = -32767 * static_cast<int>(kMaxRankedLength + 1);
    std::array<std::vector<std::uint64_t>, kNameShapes> byShape;

    TotalHistogram();
    void add(int total, std::string_view symbols) {
        ++byShape[nameShape(symbols)][static_cast<std::size_t>(-total)];
    }
};

// Per-shape thresholds and percentiles of the model's totals over whole days of names,
// for names of 2 to 9 kana; longer or shorter names are never kept and have no percentile.
class NaturalCuts {
public:
    static constexpr const char* kFileName = "natural-cuts.txt";

    // Reads the cuts from `dataDir`; raises AppError naming the file when it is missing
    // or damaged.
    static NaturalCuts load(const std::filesystem::path& dataDir);
    // The cuts that keep each preset's share of the counted names, as near as ties allow.
    static NaturalCuts fromHistogram(const TotalHistogram& histogram);
    // The payload of the file `load` reads.
    [[nodiscard]] std::string text() const;

    // The lowest total a name like `symbols` needs for `level`.
    [[nodiscard]] int threshold(std::string_view symbols, Natural level) const {
        return thresholds_[nameShape(symbols)][static_cast<std::size_t>(level)];
    }
    [[nodiscard]] bool keeps(int total, std::string_view symbols, Natural level) const {
        return total >= threshold(symbols, level);
    }
    // The share of the day's names like `symbols` that score below `total`, in percent,
    // to a tenth.
    [[nodiscard]] std::optional<double> percentile(int total, std::string_view symbols) const;

private:
    static constexpr std::size_t kRanks = 1000;
    static constexpr int kNever = 1; // above every total: totals are log-probabilities

    static std::array<int, kNaturalShares.size()>
    presetThresholds(const std::vector<std::uint64_t>& counts, std::uint64_t names);
    static std::vector<int> ranksOf(const std::vector<std::uint64_t>& counts, std::uint64_t names);

    std::array<std::array<int, kNaturalShares.size()>, kNameShapes> thresholds_{};
    std::array<std::vector<int>, kNameShapes> ranks_;
};

} // namespace kanatsumugi
