#pragma once

#include "cli/CliOptions.h"
#include "generator/NameBatch.h"

#include <cstdint>
#include <vector>

namespace kanatsumugi {

class KanaTables;
class NameFilter;
class OutputBuffer;
class UniqueNames;
class WordChecks;

struct RunResult {
    std::uint64_t printed = 0;
    // A whole day of readings held fewer than the names asked for.
    bool exhausted = false;
};

// Prints the names the window would make at the clock readings startReading,
// startReading + 1, ... (milliseconds since UTC midnight, wrapping at midnight), or at
// readings spread over the day, that pass `filter` and `checks` (when given), one name a
// line, in the form `options` asks. A name in `seen` is skipped; with --unique each
// printed name joins it. Every printed name is added to `printed` when it is given.
RunResult printNames(const KanaTables& tables, const CliOptions& options, const NameFilter& filter,
                     const WordChecks* checks, UniqueNames& seen, std::uint32_t startReading,
                     OutputBuffer& out, std::vector<KanaIndexName>* printed);

} // namespace kanatsumugi
