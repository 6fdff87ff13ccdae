#pragma once

#include "cli/Romaji.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kanatsumugi {

enum class OutputEncoding { Utf8, Cp932 };
enum class OutputFormat { Plain, Tsv, Csv, Jsonl };

// The stock file the window keeps in its working folder.
inline constexpr std::string_view kDefaultStockFile = "./今まで名付けた名前.txt";

// What the command line asked for.
struct CliOptions {
    std::uint64_t count = 1;
    std::optional<std::int32_t> fixedLength;
    // Milliseconds since UTC midnight of the first reading; unset means "now".
    std::optional<std::uint32_t> startReading;
    OutputEncoding encoding = OutputEncoding::Utf8;
    OutputFormat format = OutputFormat::Plain;
    std::optional<RomajiStyle> romaji;
    bool unique = false;
    bool help = false;

    // Filters: a kana count range and texts, each held as katakana.
    int minKana = 0;
    int maxKana = 9;
    std::vector<std::u32string> startsWith;
    std::vector<std::u32string> endsWith;
    std::vector<std::u32string> contains;
    std::vector<std::u32string> without;
    std::optional<std::string> excludeStock; // the stock file's path

    // True when a filter may skip readings.
    [[nodiscard]] bool filters() const {
        return excludeStock || minKana > 0 || maxKana < 9 || !startsWith.empty() ||
               !endsWith.empty() || !contains.empty() || !without.empty();
    }
    // True when some readings may be skipped, so a day may hold fewer than `count`.
    [[nodiscard]] bool choosesReadings() const { return unique || filters(); }
};

// Parses the arguments after the program name. Raises AppError with a one-line
// message naming the problem.
CliOptions parseCommandLine(std::span<const std::string_view> args);

// A count of names: a whole number of at least 1.
std::uint64_t parseCount(std::string_view text);
// A fixed name length: a whole number from 2 to 8. The one check that keeps every
// name within the nine kana a batch holds.
std::int32_t parseLength(std::string_view text);
// "HH:MM:SS.mmm" (UTC) as milliseconds since midnight.
std::uint32_t parseClockReading(std::string_view text);
OutputEncoding parseEncoding(std::string_view text);

std::string usageLine();
std::string helpText();

} // namespace kanatsumugi
