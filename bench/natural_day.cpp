// Every name of a day, scored: writes the per-length cuts of the natural-sound presets
// (--write-cuts), then checks the shipped data against the day and times it.
//   quality  AUC of the model, held-out loanwords against the day's names (target 0.97),
//            and the share each preset keeps per length on every kind of day (target
//            50 / 25 / 10 / 1 % within 1 point)
//   cost     nanoseconds a name for drawing alone and for drawing, scoring, the word
//            check and the blocklist together
// Usage: natural_day [--data DIR] [--write-cuts]; exits 1 when a target is missed.
#include "generator/KanaTables.h"
#include "generator/NameGenerator.h"
#include "generator/RandomSource.h"
#include "lexicon/Blocklist.h"
#include "lexicon/DataFile.h"
#include "lexicon/KanaSymbols.h"
#include "lexicon/NameScore.h"
#include "lexicon/NaturalCuts.h"
#include "lexicon/WordList.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

using namespace kanatsumugi;

namespace {

constexpr std::size_t kLengths = kMaxRankedLength + 1;
constexpr std::array<const char*, 4> kPresetNames = {"low", "mid", "high", "max"};

// Calls `use(reading, indices)` for the name of every clock reading of the day.
template <typename Use>
void forEachName(const KanaTables& tables, std::optional<int> fixedLength, Use&& use,
                 std::uint32_t end = kMillisecondsPerDay) {
    RandomSource random;
    for (std::uint32_t reading = 0; reading < end; ++reading) {
        random.setSeed(reading);
        std::array<char, 10> kana{};
        std::size_t count = 0;
        drawName(tables, random, fixedLength,
                 [&](int index) { kana[count++] = static_cast<char>(index); });
        use(reading, std::string_view(kana.data(), count));
    }
}

std::vector<std::optional<int>> dayKinds() {
    std::vector<std::optional<int>> kinds{std::nullopt};
    for (int length = 2; length <= 8; ++length) {
        kinds.emplace_back(length);
    }
    return kinds;
}

std::string kindName(std::optional<int> kind) {
    return kind ? "-l " + std::to_string(*kind) : std::string("random");
}

std::string utf8Of(const KanaTables& tables, std::string_view indices) {
    std::string text;
    for (const char c : indices) {
        text += tables.kanaUtf8(static_cast<unsigned char>(c));
    }
    return text;
}

// Processor time, so that other work on a busy machine counts less.
double seconds(std::clock_t since) {
    return static_cast<double>(std::clock() - since) / CLOCKS_PER_SEC;
}

void writeCuts(const KanaTables& tables, const NameScore& score,
               const std::filesystem::path& dataDir) {
    TotalHistogram histogram;
    for (const auto kind : dayKinds()) {
        forEachName(tables, kind, [&](std::uint32_t, std::string_view name) {
            histogram.add(score.total(name), name);
        });
    }
    writeCheckedData(dataDir / NaturalCuts::kFileName, "natural-cuts",
                     NaturalCuts::fromHistogram(histogram).text());
    std::printf("wrote %s from %zu days of names (random length and -l 2 to 8)\n",
                NaturalCuts::kFileName, dayKinds().size());
}

// Area under the ROC curve of the per-character score: real loanwords against names.
struct Auc {
    std::vector<double> positives;
    double sum = 0;
    std::uint64_t negatives = 0;

    void addNegative(double s) {
        const auto low = std::lower_bound(positives.begin(), positives.end(), s);
        const auto high = std::upper_bound(positives.begin(), positives.end(), s);
        sum += static_cast<double>(positives.end() - high) + 0.5 * static_cast<double>(high - low);
        ++negatives;
    }
    [[nodiscard]] double value() const {
        return sum / static_cast<double>(positives.size()) / static_cast<double>(negatives);
    }
};

std::vector<double> heldOutScores(const std::filesystem::path& dataDir, const NameScore& score,
                                  const KanaSymbols& symbols) {
    std::istringstream lines(readWholeFile(dataDir / "heldout-loanwords.txt"));
    std::vector<double> scores;
    for (std::string line; std::getline(lines, line);) {
        if (const auto word = symbols.read(line, false)) {
            scores.push_back(NameScore::perCharacter(score.total(*word), word->size()));
        }
    }
    std::sort(scores.begin(), scores.end());
    return scores;
}

} // namespace

int main(int argc, char** argv) {
    std::filesystem::path dataDir = dataDirectory();
    bool write = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc) {
            dataDir = argv[++i];
        } else if (std::strcmp(argv[i], "--write-cuts") == 0) {
            write = true;
        } else {
            std::fprintf(stderr, "usage: natural_day [--data DIR] [--write-cuts]\n");
            return 2;
        }
    }
    const KanaTables tables = KanaTables::build();
    const KanaSymbols symbols(tables);
    const NameScore score = NameScore::load(dataDir);
    if (write) {
        writeCuts(tables, score, dataDir);
    }
    // Load times, each the best of five, in wall-clock milliseconds: what a user waits.
    const auto loadMs = [](auto&& load) {
        double best = 1e9;
        for (int run = 0; run < 5; ++run) {
            const auto start = std::chrono::steady_clock::now();
            load();
            best = std::min(best, std::chrono::duration<double, std::milli>(
                                      std::chrono::steady_clock::now() - start)
                                      .count());
        }
        return best;
    };
    std::printf("load, ms: model %.2f, cuts %.2f, words %.2f, blocklist %.2f\n",
                loadMs([&] { (void)NameScore::load(dataDir); }),
                loadMs([&] { (void)NaturalCuts::load(dataDir); }),
                loadMs([&] { (void)WordList::load(dataDir); }),
                loadMs([&] { (void)Blocklist::loadShipped(dataDir, symbols); }));
    const NaturalCuts cuts = NaturalCuts::load(dataDir);
    const WordList words = WordList::load(dataDir);
    const Blocklist blocklist = Blocklist::loadShipped(dataDir, symbols);
    std::printf("%zu words, %zu blocked entries\n", words.size(), blocklist.size());

    int status = 0;
    std::printf("\nshare kept per length, %% (target 50 / 25 / 10 / 1, within 1)\n");
    for (const auto kind : dayKinds()) {
        std::array<std::uint64_t, kLengths> names{};
        std::array<std::array<std::uint64_t, 4>, kLengths> kept{};
        forEachName(tables, kind, [&](std::uint32_t, std::string_view name) {
            const int total = score.total(name);
            ++names[name.size()];
            for (std::size_t level = 0; level < 4; ++level) {
                kept[name.size()][level] += cuts.keeps(total, name, Natural(level)) ? 1 : 0;
            }
        });
        for (std::size_t length = 2; length < kLengths; ++length) {
            if (names[length] < 10000) {
                continue;
            }
            std::printf("%-7s %zu kana %9llu names:", kindName(kind).c_str(), length,
                        static_cast<unsigned long long>(names[length]));
            for (std::size_t level = 0; level < 4; ++level) {
                const double share = 100.0 * static_cast<double>(kept[length][level]) /
                                     static_cast<double>(names[length]);
                std::printf(" %s %6.2f", kPresetNames[level], share);
                if (std::abs(share - 100.0 * kNaturalShares[level]) > 1.0) {
                    status = 1;
                }
            }
            std::printf("\n");
        }
    }

    Auc auc{heldOutScores(dataDir, score, symbols)};
    std::uint64_t wordNames = 0;
    std::uint64_t blockedNames = 0;
    std::array<std::vector<std::string>, 5> samples;
    constexpr std::size_t kSamples = 20;
    forEachName(tables, std::nullopt, [&](std::uint32_t reading, std::string_view name) {
        const int total = score.total(name);
        auc.addNegative(NameScore::perCharacter(total, name.size()));
        wordNames += words.isWord(name) ? 1 : 0;
        blockedNames += blocklist.blocks(name) ? 1 : 0;
        // Per preset, the first name of each twentieth of the day that it keeps and the
        // next preset does not; then the top 1 %, and names no preset keeps.
        for (std::size_t band = 0; band < samples.size(); ++band) {
            std::vector<std::string>& sample = samples[band];
            const bool inBand = band == 0
                                    ? !cuts.keeps(total, name, Natural::Low)
                                    : cuts.keeps(total, name, Natural(band - 1)) &&
                                          (band == 4 || !cuts.keeps(total, name, Natural(band)));
            if (name.size() == 6 && sample.size() < kSamples &&
                reading >= sample.size() * (kMillisecondsPerDay / kSamples) && inBand) {
                sample.push_back(utf8Of(tables, name));
            }
        }
    });
    std::printf("\nAUC, %zu held-out loanwords against the random-length day: %.4f (target 0.97)\n",
                auc.positives.size(), auc.value());
    status |= auc.value() < 0.97 ? 1 : 0;
    std::printf("names that are words: %.2f %%, names holding a blocked entry: %.2f %%\n",
                100.0 * static_cast<double>(wordNames) / kMillisecondsPerDay,
                100.0 * static_cast<double>(blockedNames) / kMillisecondsPerDay);
    constexpr std::array<const char*, 5> kBands = {
        "kept by none (bottom 50 %)", "low, not mid (50-25 %)", "mid, not high (25-10 %)",
        "high, not max (10-1 %)", "max (top 1 %)"};
    for (std::size_t band = 0; band < samples.size(); ++band) {
        std::printf("\n%s, 6 kana:", kBands[band]);
        for (const std::string& name : samples[band]) {
            std::printf(" %s", name.c_str());
        }
    }
    // Each check alone and all together over a quarter of the day, in turns, best of three.
    std::uint64_t sink = 0;
    const std::vector<std::pair<const char*, std::function<bool(std::string_view)>>> checks = {
        {"drawing alone",
         [](std::string_view) {
             return true;
         }},
        {"score and --natural=high",
         [&](std::string_view name) {
             return cuts.keeps(score.total(name), name, Natural::High);
         }},
        {"word check",
         [&](std::string_view name) {
             return words.isWord(name);
         }},
        {"blocklist",
         [&](std::string_view name) {
             return blocklist.blocks(name);
         }},
        {"all three, score first",
         [&](std::string_view name) {
             return cuts.keeps(score.total(name), name, Natural::High) && !words.isWord(name) &&
                    !blocklist.blocks(name);
         }},
    };
    constexpr std::uint32_t kTimed = kMillisecondsPerDay / 4;
    std::vector<double> best(checks.size(), 1e9);
    for (int round = 0; round < 3; ++round) {
        for (std::size_t i = 0; i < checks.size(); ++i) {
            const auto start = std::clock();
            const auto& check = checks[i].second;
            forEachName(
                tables, std::nullopt,
                [&](std::uint32_t, std::string_view name) { sink += check(name) ? 1 : 0; }, kTimed);
            best[i] = std::min(best[i], seconds(start) * 1e9 / kTimed);
        }
    }
    std::printf("\n\ncost, ns a name (processor time) [%llu]:\n",
                static_cast<unsigned long long>(sink % 10));
    for (std::size_t i = 0; i < checks.size(); ++i) {
        std::printf("  %-26s %5.1f (%+.1f)\n", checks[i].first, best[i], best[i] - best[0]);
    }
    return status;
}
