#include "cli/LineFormat.h"

#include "generator/Clock.h"
#include "generator/KanaTables.h"
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

char* writeRecord(OutputFormat format, std::span<const Field> fields, std::string_view lineEnd,
                  char* p) {
    const auto put = [&p](std::string_view text) {
        std::memcpy(p, text.data(), text.size());
        p += text.size();
    };
    const bool json = format == OutputFormat::Jsonl;
    for (const Field& field : fields) {
        const bool first = &field == fields.data();
        if (json) {
            put(first ? R"({")" : R"(,")");
            put(field.name);
            put(field.text ? R"(":")" : R"(":)");
            put(field.text || !field.value.empty() ? field.value : "null");
            put(field.text ? R"(")" : "");
        } else {
            put(first ? "" : format == OutputFormat::Csv ? "," : "\t");
            put(field.value);
        }
    }
    put(json ? "}" : "");
    put(lineEnd);
    return p;
}

std::string recordHeader(const CliOptions& options, std::string_view csvNames) {
    return std::string(options.encoding == OutputEncoding::Utf8Bom ? "\xef\xbb\xbf" : "") +
           (options.format == OutputFormat::Csv ? std::string(csvNames) + "\r\n" : "");
}

std::string_view lineEndOf(const CliOptions& options) {
    return options.encoding == OutputEncoding::Cp932 || options.format == OutputFormat::Csv ? "\r\n"
                                                                                            : "\n";
}

LineFormat::LineFormat(const KanaTables& tables, const CliOptions& options,
                       const WordChecks* checks)
    : lineEnd_(lineEndOf(options))
    , plainKanaOnly_(options.format == OutputFormat::Plain && !options.romaji)
    , options_(options)
    , checks_(checks)
    , length_(options.fixedLength ? std::to_string(*options.fixedLength) : "") {
    const bool cp932 = options.encoding == OutputEncoding::Cp932;
    for (std::size_t i = 0; i < kana_.size(); ++i) {
        const std::string_view bytes =
            cp932 ? tables.kana(static_cast<int>(i)) : tables.kanaUtf8(static_cast<int>(i));
        bytes.copy(kana_[i].data(), kana_[i].size());
        kanaWidth_ = bytes.size();
    }
    lineEnd_.copy(lineEndBytes_.data(), lineEndBytes_.size());
}

std::string LineFormat::header() const {
    return recordHeader(options_, options_.romaji ? "name,romaji,time,length_setting,score,word"
                                                  : "name,time,length_setting,score,word");
}

char* LineFormat::writeFields(std::uint32_t reading, const KanaIndexName& name, char* start) const {
    std::array<char, std::size_t{4} * KanaIndexName::kCapacity> kana{};
    const std::string_view kanaText(
        kana.data(), static_cast<std::size_t>(writeName(name, kana.data()) - kana.data()));
    const std::string romanised = options_.romaji ? romaji(name.indices(), *options_.romaji) : "";
    const std::string time = clockText(reading);
    std::array<char, 16> score{};
    const int scoreSize = checks_ == nullptr ? 0
                                             : std::snprintf(score.data(), score.size(), "%.3f",
                                                             checks_->score(name));
    std::array<Field, 6> fields;
    std::size_t count = 0;
    fields[count++] = {"name", kanaText, true};
    if (options_.romaji) {
        fields[count++] = {"romaji", romanised, true};
    }
    if (options_.format != OutputFormat::Plain) {
        fields[count++] = {"time", time, true};
        fields[count++] = {"length_setting", length_};
        fields[count++] = {"score", {score.data(), static_cast<std::size_t>(scoreSize)}};
        fields[count++] = {"word", checks_ != nullptr && checks_->isWord(name) ? "true" : "false"};
    }
    return writeRecord(options_.format, std::span(fields).first(count), lineEnd_, start);
}

} // namespace kanatsumugi
