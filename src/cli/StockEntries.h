#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kanatsumugi {

// The stock file the command line reads and writes: `named`, or the window's own file
// in the working folder.
std::string stockPath(const std::optional<std::string>& named);

// The names kept in the stock file at `path` (Shift-JIS bytes, one entry each), read
// by the stock's own rules. A file that cannot be read raises AppError: an empty list
// would quietly let kept names through. A missing file is empty only when
// `missingIsEmpty` (before the first stock); a missing file the user named is more
// likely a typing slip, and raises AppError too.
std::vector<std::string> readStockEntries(const std::string& path, bool missingIsEmpty);

// Appends `names` (Shift-JIS) to the stock file at `path` in one locked write, as the
// window stocks: all of them are kept, or none, and AppError says why.
void stockNames(const std::string& path, const std::vector<std::string>& names);

} // namespace kanatsumugi
