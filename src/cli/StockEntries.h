#pragma once

#include <string>
#include <vector>

namespace kanatsumugi {

// The names kept in the stock file at `path` (Shift-JIS bytes, one entry each), read
// by the stock's own rules. A file that cannot be read raises AppError: an empty list
// would quietly let kept names through. A missing file is empty only when
// `missingIsEmpty` (the window's own file before its first stock); a missing file the
// user named is more likely a typing slip, and raises AppError too.
std::vector<std::string> readStockEntries(const std::string& path, bool missingIsEmpty);

} // namespace kanatsumugi
