#pragma once

#include "generator/NameBatch.h"
#include "generator/UniqueNames.h"

#include <optional>
#include <string>
#include <vector>

namespace kanatsumugi {

class KanaTables;

// The stock file the command line reads and writes: `named`, or the window's own file
// in the working folder.
std::string stockPath(const std::optional<std::string>& named);

// Adds to `names` the names kept in the stock file at `path` that the generator can
// make, read by the stock's own rules. A file that cannot be read raises AppError:
// nothing added would quietly let kept names through. A missing file is empty only when
// `missingIsEmpty` (before the first stock); a missing file the user named is more likely a typing
// slip.
void readStockNames(const KanaTables& tables, const std::string& path, bool missingIsEmpty,
                    UniqueNames& names);

// Appends `names` to the stock file at `path` in one locked write, as the window stocks:
// all of them are kept, or none, and AppError says why.
void stockNames(const KanaTables& tables, const std::string& path,
                const std::vector<KanaIndexName>& names);

} // namespace kanatsumugi
