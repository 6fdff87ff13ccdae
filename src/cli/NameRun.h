#pragma once

#include "cli/CliOptions.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kanatsumugi {

class KanaTables;
class OutputBuffer;

struct RunResult {
    std::uint64_t printed = 0;
    // A whole day of readings held fewer than the names asked for.
    bool exhausted = false;
};

// Prints the names the window would make at the clock readings startReading,
// startReading + 1, ... (milliseconds since UTC midnight, wrapping at midnight) that
// pass the filters of `options`, one name a line, in the form `options` asks.
// `stockEntries` are the kept names (Shift-JIS) that --exclude-stock skips.
RunResult printNames(const KanaTables& tables, const CliOptions& options,
                     const std::vector<std::string>& stockEntries, std::uint32_t startReading,
                     OutputBuffer& out);

} // namespace kanatsumugi
