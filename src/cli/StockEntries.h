#pragma once

#include <string>
#include <vector>

namespace kanatsumugi {

// The names kept in the stock file at `path` (Shift-JIS bytes, one entry each), read
// by the stock's own rules. A file that is missing or cannot be read raises AppError:
// an empty list would quietly let kept names through.
std::vector<std::string> readStockEntries(const std::string& path);

} // namespace kanatsumugi
