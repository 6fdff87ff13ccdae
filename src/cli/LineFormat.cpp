#include "cli/LineFormat.h"

#include "generator/KanaTables.h"
#include "generator/RandomSource.h"
#include "lexicon/WordChecks.h"

#include <cstdio>

namespace kanatsumugi {

namespace {

// The longest line: JSON Lines with romaji, a nine-kana name, "null" for the length
// setting, CR LF, and the spare byte of the last four-byte copy.
constexpr std::size_t kLongestLine =
    sizeof(R"({"name":"","romaji":"","time":"HH:MM:SS.mmm","length_setting":null,)"
           R"("score":-999.999,"word":false})") -
    1 + KanaIndexName::kCapacity * (3 + kMaxRomajiBytesPerKana) + 2 + 1;
static_assert(kLongestLine <= LineFormat::kMaxLineBytes);

} // namespace

LineFormat::LineFormat(const KanaTables& tables, const CliOptions& options,
                       const WordChecks* checks)
    : plainKanaOnly_(options.format == OutputFormat::Plain && !options.romaji)
    , bom_(options.encoding == OutputEncoding::Utf8Bom)
    , format_(options.format)
    , romaji_(options.romaji)
    , checks_(checks)
    , length_(options.fixedLength ? std::to_string(*options.fixedLength) : "") {
    const bool cp932 = options.encoding == OutputEncoding::Cp932;
    for (std::size_t i = 0; i < kana_.size(); ++i) {
        const std::string_view bytes =
            cp932 ? tables.kana(static_cast<int>(i)) : tables.kanaUtf8(static_cast<int>(i));
        bytes.copy(kana_[i].data(), kana_[i].size());
        kanaWidth_ = bytes.size();
    }
    // CSV lines end in CR LF as RFC 4180 has it; cp932 is the stock file's own format.
    const std::string_view lineEnd = cp932 || format_ == OutputFormat::Csv ? "\r\n" : "\n";
    lineEnd.copy(lineEnd_.data(), lineEnd_.size());
    lineEndSize_ = lineEnd.size();
}

std::string LineFormat::header() const {
    std::string header = bom_ ? "\xef\xbb\xbf" : "";
    if (format_ == OutputFormat::Csv) {
        header += romaji_ ? "name,romaji,time,length_setting,score,word\r\n"
                          : "name,time,length_setting,score,word\r\n";
    }
    return header;
}

char* LineFormat::writeFields(std::uint32_t reading, const KanaIndexName& name, char* start) const {
    char* p = start;
    const auto put = [&](std::string_view text) {
        std::memcpy(p, text.data(), text.size());
        p += text.size();
    };
    // Names, romaji, times and lengths hold no comma, quote, tab, backslash or line
    // break, so no field needs quoting or escaping in any of the forms.
    const std::string romanised = romaji_ ? romaji(name.indices(), *romaji_) : std::string();
    std::array<char, 13> time{};
    // Readings lie within one day; saying so bounds the hours to two digits.
    const std::uint32_t seconds = reading % kMillisecondsPerDay / 1000;
    std::snprintf(time.data(), time.size(), "%02u:%02u:%02u.%03u", seconds / 3600,
                  seconds / 60 % 60, seconds % 60, reading % 1000);
    const std::string_view separator = format_ == OutputFormat::Csv ? "," : "\t";
    if (format_ == OutputFormat::Jsonl) {
        put(R"({"name":")");
    }
    p = writeName(name, p);
    if (romaji_) {
        put(format_ == OutputFormat::Jsonl ? R"(","romaji":")" : separator);
        put(romanised);
    }
    std::array<char, 16> score{};
    const int scoreSize = checks_ == nullptr ? 0
                                             : std::snprintf(score.data(), score.size(), "%.3f",
                                                             checks_->score(name));
    const std::string_view word = checks_ != nullptr && checks_->isWord(name) ? "true" : "false";
    if (format_ == OutputFormat::Jsonl) {
        put(R"(","time":")");
        put({time.data(), 12});
        put(R"(","length_setting":)");
        put(length_.empty() ? "null" : length_);
        put(R"(,"score":)");
        put({score.data(), static_cast<std::size_t>(scoreSize)});
        put(R"(,"word":)");
        put(word);
        put("}");
    } else if (format_ != OutputFormat::Plain) {
        put(separator);
        put({time.data(), 12});
        put(separator);
        put(length_);
        put(separator);
        put({score.data(), static_cast<std::size_t>(scoreSize)});
        put(separator);
        put(word);
    }
    put({lineEnd_.data(), lineEndSize_});
    return p;
}

} // namespace kanatsumugi
