#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kanatsumugi {

enum class OutputEncoding { Utf8, Cp932 };

// What the command line asked for.
struct CliOptions {
    std::uint64_t count = 1;
    std::optional<std::int32_t> fixedLength;
    // Milliseconds since UTC midnight of the first reading; unset means "now".
    std::optional<std::uint32_t> startReading;
    OutputEncoding encoding = OutputEncoding::Utf8;
    bool unique = false;
    bool help = false;
};

// Parses the arguments after the program name. Raises AppError with a one-line
// Japanese message naming the problem.
CliOptions parseCommandLine(std::span<const std::string_view> args);

// A count of names: a whole number of at least 1.
std::uint64_t parseCount(std::string_view text);
// A fixed name length: a whole number from 2 to 8.
std::int32_t parseLength(std::string_view text);
// "HH:MM:SS.mmm" (UTC) as milliseconds since midnight.
std::uint32_t parseClockReading(std::string_view text);
OutputEncoding parseEncoding(std::string_view text);

std::string_view usageLine();
std::string helpText();

} // namespace kanatsumugi
