#include "cli/RateNames.h"

#include "apperror/AppError.h"
#include "apperror/Messages.h"
#include "cli/CliOptions.h"
#include "cli/LineFormat.h"
#include "cli/OutputBuffer.h"
#include "lexicon/KanaSymbols.h"
#include "lexicon/KanaText.h"
#include "lexicon/WordChecks.h"

#include <cstdio>

namespace kanatsumugi {

namespace {

void write(const std::string& name, const Rating& r, const CliOptions& options, OutputBuffer& out) {
    std::array<char, 16> score{};
    std::snprintf(score.data(), score.size(), "%.3f", r.score);
    std::array<char, 16> percentile{};
    if (r.percentile) {
        std::snprintf(percentile.data(), percentile.size(), "%.1f", *r.percentile);
    }
    const auto flag = [](bool b) {
        return b ? "true" : "false";
    };
    const std::array<Field, 6> fields = {{{"name", name, true},
                                          {"score", score.data()},
                                          {"percentile", percentile.data()},
                                          {"word", flag(r.word)},
                                          {"blocked", flag(r.blocked)},
                                          {"possible", flag(r.possible)}}};
    char* const start = out.reserve(name.size() + LineFormat::kMaxLineBytes);
    out.commit(static_cast<std::size_t>(
        writeRecord(options.format, fields, lineEndOf(options), start) - start));
    out.flush(); // a line at a time, for a user who types the names
}

} // namespace

void rateNames(const KanaTables& tables, const CliOptions& options,
               const std::vector<std::string>& names, std::istream& in, OutputBuffer& out) {
    WordRules every = options.words;
    every.natural = Natural::Max;
    every.newWords = every.polite = true;
    const WordChecks checks(tables, every, true);
    const KanaSymbols symbols(tables);
    out.write(recordHeader(options, "name,score,percentile,word,blocked,possible"));
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
            throw InputError(fill(tr("--rate takes hiragana or katakana names only, not %s"),
                                  {kanatsumugi::quoted(text)}));
        }
        write(readKanaText(text, "--rate"), checks.rate(tables, *indices), options, out);
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
