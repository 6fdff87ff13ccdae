#include "lexicon/NaturalCuts.h"

#include "apperror/Messages.h"
#include "generator/KanaTables.h"
#include "lexicon/DataFile.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <sstream>

namespace kanatsumugi {

namespace {

constexpr std::string_view kKind = "natural-cuts";

constexpr std::size_t kMinRankedLength = 2;

int totalAt(std::size_t negated) {
    return -static_cast<int>(negated);
}

bool ranked(std::size_t shape) {
    return shape / 2 >= kMinRankedLength && shape / 2 <= kMaxRankedLength;
}

} // namespace

// From the best total down, the total whose share of names at or above it comes nearest
// each preset's share.
std::array<int, kNaturalShares.size()>
NaturalCuts::presetThresholds(const std::vector<std::uint64_t>& counts, std::uint64_t names) {
    std::array<int, kNaturalShares.size()> thresholds;
    thresholds.fill(kNever);
    std::array<double, kNaturalShares.size()> nearest;
    nearest.fill(2.0);
    std::uint64_t atOrAbove = 0;
    for (std::size_t negated = 0; negated < counts.size(); ++negated) {
        if (counts[negated] == 0) {
            continue;
        }
        atOrAbove += counts[negated];
        const double share = static_cast<double>(atOrAbove) / static_cast<double>(names);
        for (std::size_t level = 0; level < kNaturalShares.size(); ++level) {
            const double miss = std::abs(share - kNaturalShares[level]);
            if (miss < nearest[level]) {
                nearest[level] = miss;
                thresholds[level] = totalAt(negated);
            }
        }
    }
    return thresholds;
}

// Rank k (1 to 1000) is the lowest total that scores above at least k/1000 of the names.
std::vector<int> NaturalCuts::ranksOf(const std::vector<std::uint64_t>& counts,
                                      std::uint64_t names) {
    std::vector<int> ranks;
    std::uint64_t below = 0;
    for (std::size_t negated = counts.size(); negated-- > 0;) {
        below += counts[negated];
        while (ranks.size() < kRanks && below * kRanks >= (ranks.size() + 1) * names) {
            ranks.push_back(totalAt(negated) + 1);
        }
    }
    ranks.resize(kRanks, 1);
    return ranks;
}

TotalHistogram::TotalHistogram() {
    for (auto& counts : byShape) {
        counts.resize(static_cast<std::size_t>(-kLowestTotal) + 1);
    }
}

NaturalCuts NaturalCuts::fromHistogram(const TotalHistogram& histogram) {
    NaturalCuts cuts;
    for (std::size_t shape = 0; shape < kNameShapes; ++shape) {
        const std::vector<std::uint64_t>& counts = histogram.byShape[shape];
        const std::uint64_t names = std::reduce(counts.begin(), counts.end(), std::uint64_t{0});
        cuts.thresholds_[shape].fill(kNever);
        cuts.ranks_[shape].assign(kRanks, kNever);
        if (ranked(shape) && names > 0) {
            cuts.thresholds_[shape] = presetThresholds(counts, names);
            cuts.ranks_[shape] = ranksOf(counts, names);
        }
    }
    return cuts;
}

std::string NaturalCuts::text() const {
    std::ostringstream out;
    for (std::size_t shape = 0; shape < kNameShapes; ++shape) {
        out << "cut " << shape / 2 << ' ' << shape % 2;
        for (const int t : thresholds_[shape]) {
            out << ' ' << t;
        }
        out << "\nrank " << shape / 2 << ' ' << shape % 2;
        for (const int r : ranks_[shape]) {
            out << ' ' << r;
        }
        out << '\n';
    }
    return out.str();
}

NaturalCuts NaturalCuts::load(const std::filesystem::path& dataDir) {
    const std::filesystem::path file = dataDir / kFileName;
    std::istringstream in(readCheckedData(file, kKind));
    NaturalCuts cuts;
    for (std::size_t shape = 0; shape < kNameShapes; ++shape) {
        std::string cut;
        std::string rank;
        std::array<std::size_t, 4> labels{};
        in >> cut >> labels[0] >> labels[1];
        for (int& t : cuts.thresholds_[shape]) {
            in >> t;
        }
        in >> rank >> labels[2] >> labels[3];
        cuts.ranks_[shape].resize(kRanks);
        for (int& r : cuts.ranks_[shape]) {
            in >> r;
        }
        const std::array<std::size_t, 4> expected = {shape / 2, shape % 2, shape / 2, shape % 2};
        if (!in || cut != "cut" || rank != "rank" || labels != expected ||
            !std::is_sorted(cuts.ranks_[shape].begin(), cuts.ranks_[shape].end())) {
            throwDataError(file, fill(tr("damaged (no cuts for names of %s kana)"),
                                      {std::to_string(shape / 2)}));
        }
    }
    return cuts;
}

std::optional<double> NaturalCuts::percentile(int total, std::string_view symbols) const {
    const std::size_t shape = nameShape(symbols);
    // No name of the day has that shape when even the lowest rank is out of reach.
    if (!ranked(shape) || ranks_[shape].front() == kNever) {
        return std::nullopt;
    }
    const std::vector<int>& ranks = ranks_[shape];
    const auto reached = std::upper_bound(ranks.begin(), ranks.end(), total) - ranks.begin();
    return static_cast<double>(reached) / 10.0;
}

} // namespace kanatsumugi
