#pragma once

#include "lexicon/Romaji.h"
#include "lexicon/WordRules.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kanatsumugi {

enum class OutputEncoding { Utf8, Utf8Bom, Cp932 };
enum class OutputFormat { Plain, Tsv, Csv, Jsonl };
// Where a filter text must (or must not) stand in a name.
enum class TextRule { StartsWith, NotStartsWith, EndsWith, NotEndsWith, Contains, Without };

// A count of kana or of morae: from `low` to `high`, both included.
struct CountRange {
    int low = 0;
    int high = 9;
    std::string given; // as the user wrote it, for messages
};

// What the command line asked for.
struct CliOptions {
    std::uint64_t count = 1;
    std::optional<std::int32_t> fixedLength;
    // Milliseconds since UTC midnight of the first reading; unset means "now".
    std::optional<std::uint32_t> startReading;
    bool spread = false;
    OutputEncoding encoding = OutputEncoding::Utf8;
    OutputFormat format = OutputFormat::Plain;
    std::optional<RomajiStyle> romaji;
    bool unique = false;
    bool help = false;

    CountRange kana;
    CountRange morae;
    // Katakana as UTF-8, hiragana already read as katakana.
    std::vector<std::pair<TextRule, std::string>> texts;
    bool excludeStock = false;
    bool stock = false;
    std::optional<std::string> stockFile; // unset: the stock file in the working folder

    // What the program knows of Japanese: the data files, read only when asked for.
    WordRules words;
    bool rate = false;
    std::vector<std::string> rateNames; // the arguments after the options, with --rate

    // True when a filter may skip readings.
    [[nodiscard]] bool filters() const {
        return excludeStock || !texts.empty() || kana.low > 0 || kana.high < 9 || morae.low > 0 ||
               morae.high < 9 || words.any();
    }
    // True when the data files are read: to check names, or for the score and word fields.
    [[nodiscard]] bool readsWords() const { return words.any() || format != OutputFormat::Plain; }
    // True when some readings may be skipped, so a day may hold fewer than `count`.
    [[nodiscard]] bool choosesReadings() const { return unique || filters(); }
};

// Parses the command line as getopt_long does (options in any order, "--name=value",
// "-n5", "--" ends the options). Raises InputError with a one-line message naming the problem.
CliOptions parseCommandLine(int argc, char** argv);

// The option that sets a text rule, as the user types it: "--starts-with".
std::string optionOf(TextRule rule);

std::string usageLine();
std::string helpText();

} // namespace kanatsumugi
