#pragma once

#include <istream>
#include <string>
#include <vector>

namespace kanatsumugi {

class KanaTables;
class OutputBuffer;
struct CliOptions;

// --rate: for each name of `names` (or, when there are none, each line of `in`), in the
// form of --format, its score, its percentile among the generator's names of its length,
// whether it is a word, whether it holds a blocked entry, and whether the generator could
// make it at all. Katakana or hiragana; raises AppError naming a name that is neither, or
// a data file that is missing or damaged.
void rateNames(const KanaTables& tables, const CliOptions& options,
               const std::vector<std::string>& names, std::istream& in, OutputBuffer& out);

} // namespace kanatsumugi
