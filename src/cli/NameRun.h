#pragma once

#include "cli/CliOptions.h"

#include <cstdint>

namespace kanatsumugi {

class KanaTables;
class OutputBuffer;

struct RunResult {
    std::uint64_t printed = 0;
    // --unique ran out: a whole day of readings can hold no new name.
    bool exhausted = false;
};

// Prints the names the window would make at the clock readings startReading,
// startReading + 1, ... (milliseconds since UTC midnight, wrapping at midnight),
// one name a line, as `options` asks.
RunResult printNames(const KanaTables& tables, const CliOptions& options,
                     std::uint32_t startReading, OutputBuffer& out);

} // namespace kanatsumugi
