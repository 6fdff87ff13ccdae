#include "cli/RateNames.h"

#include "apperror/AppError.h"
#include "apperror/Messages.h"
#include "cli/CliOptions.h"
#include "cli/OutputBuffer.h"
#include "lexicon/Blocklist.h"
#include "lexicon/DataFile.h"
#include "lexicon/KanaSymbols.h"
#include "lexicon/KanaText.h"
#include "lexicon/NameScore.h"
#include "lexicon/NaturalCuts.h"
#include "lexicon/WordList.h"

#include <cstdio>

namespace kanatsumugi {

namespace {

struct Rating {
    std::string name; // katakana
    double score = 0;
    std::optional<double> percentile;
    bool word = false;
    bool blocked = false;
    bool possible = false;
};

std::string line(const Rating& r, OutputFormat format) {
    std::array<char, 16> score{};
    std::snprintf(score.data(), score.size(), "%.3f", r.score);
    std::array<char, 16> percentile{};
    if (r.percentile) {
        std::snprintf(percentile.data(), percentile.size(), "%.1f", *r.percentile);
    }
    const auto flag = [](bool b) {
        return b ? "true" : "false";
    };
    if (format == OutputFormat::Jsonl) {
        return R"({"name":")" + r.name + R"(","score":)" + score.data() + R"(,"percentile":)" +
               (r.percentile ? percentile.data() : "null") + R"(,"word":)" + flag(r.word) +
               R"(,"blocked":)" + flag(r.blocked) + R"(,"possible":)" + flag(r.possible) + "}\n";
    }
    const std::string s = format == OutputFormat::Csv ? "," : "\t";
    return r.name + s + score.data() + s + percentile.data() + s + flag(r.word) + s +
           flag(r.blocked) + s + flag(r.possible) + (format == OutputFormat::Csv ? "\r\n" : "\n");
}

} // namespace

void rateNames(const KanaTables& tables, const CliOptions& options,
               const std::vector<std::string>& names, std::istream& in, OutputBuffer& out) {
    const KanaSymbols symbols(tables);
    const std::filesystem::path data = dataDirectory();
    const NameScore score = NameScore::load(data);
    const NaturalCuts cuts = NaturalCuts::load(data);
    const WordList words = WordList::load(data);
    Blocklist blocklist = Blocklist::loadShipped(data, symbols);
    for (const std::string& file : options.words.blocklists) {
        blocklist.addUserFile(file, symbols);
    }
    if (options.encoding == OutputEncoding::Utf8Bom) {
        out.write(std::string_view("\xEF\xBB\xBF"));
    }
    if (options.format == OutputFormat::Csv) {
        out.write(std::string_view("name,score,percentile,word,blocked,possible\r\n"));
    }
    const auto rate = [&](std::string text) {
        if (text.ends_with('\r')) {
            text.pop_back();
        }
        // Editors on Windows start a UTF-8 file with a byte-order mark; `$(cat FILE)` keeps it.
        if (text.starts_with("\xEF\xBB\xBF")) {
            text.erase(0, 3);
        }
        const auto indices = symbols.read(text, true);
        if (!indices || indices->empty()) {
            throw AppError(fill(tr("--rate takes hiragana or katakana names only, not %s"),
                                {kanatsumugi::quoted(text)}));
        }
        Rating r;
        r.name = readKanaText(text, "--rate");
        const int total = score.total(*indices);
        r.score = NameScore::perCharacter(total, indices->size());
        r.percentile = cuts.percentile(total, *indices);
        r.word = words.isWord(*indices);
        r.blocked = blocklist.blocks(*indices);
        r.possible = indices->size() <= 9 && symbols.isSpellableName(*indices);
        out.write(line(r, options.format));
    };
    if (!names.empty()) {
        for (const std::string& name : names) {
            rate(name);
        }
    } else {
        for (std::string text; std::getline(in, text);) {
            if (!text.empty() && text != "\r") {
                rate(text);
            }
        }
    }
    out.flush();
}

} // namespace kanatsumugi
