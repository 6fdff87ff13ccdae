#pragma once

#include "cli/CliOptions.h"
#include "generator/NameBatch.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

namespace kanatsumugi {

class KanaTables;
class WordChecks;

// A field of a line of tsv, csv or jsonl: its name (the CSV header's, the JSON key) and its
// value. An empty value that is not text is null in JSON.
struct Field {
    std::string_view name;
    std::string_view value;
    bool text = false; // a JSON string; else a number, true or false
};

// Writes `fields` at `p` as one line of `format` (plain as tsv), ending in `lineEnd`, and
// returns its end. Values hold no comma, quote, tab, backslash or line break, so none
// needs quoting or escaping.
char* writeRecord(OutputFormat format, std::span<const Field> fields, std::string_view lineEnd,
                  char* p);
// What comes before the first line: the byte-order mark and the CSV header, as asked.
std::string recordHeader(const CliOptions& options, std::string_view csvNames);
// CSV lines end in CR LF as RFC 4180 has it; cp932 is the stock file's own form.
std::string_view lineEndOf(const CliOptions& options);

// Writes one name as a line in the form the command line asked for.
class LineFormat {
public:
    // Room a line may need past its start, padding included.
    static constexpr std::size_t kMaxLineBytes = 256;

    // `checks` gives the score and word fields of tsv, csv and jsonl; it may be null for
    // plain lines.
    LineFormat(const KanaTables& tables, const CliOptions& options, const WordChecks* checks);

    [[nodiscard]] std::string header() const;

    // Writes the line of `name`, made at `reading`, at `start` and returns its end.
    // The bytes up to start + kMaxLineBytes may be overwritten.
    char* write(std::uint32_t reading, const KanaIndexName& name, char* start) const {
        if (!plainKanaOnly_) {
            return writeFields(reading, name, start);
        }
        // Four bytes always, as with the kana: a copy of fixed size is one store.
        char* const end = writeName(name, start);
        std::memcpy(end, lineEndBytes_.data(), lineEndBytes_.size());
        return end + lineEnd_.size();
    }

private:
    // Every kana has the same width in either encoding (three bytes in UTF-8, two in
    // Shift-JIS); each is copied as four, the spare byte overwritten by the next.
    char* writeName(const KanaIndexName& name, char* p) const {
        for (int i = 0; i < name.count; ++i) {
            std::memcpy(p, kana_[name.kana[static_cast<std::size_t>(i)]].data(), 4);
            p += kanaWidth_;
        }
        return p;
    }
    char* writeFields(std::uint32_t reading, const KanaIndexName& name, char* start) const;

    std::array<std::array<char, 4>, 61> kana_{};
    std::size_t kanaWidth_ = 0;
    std::string_view lineEnd_;
    std::array<char, 4> lineEndBytes_{}; // lineEnd_, padded
    bool plainKanaOnly_ = true;
    const CliOptions& options_;
    const WordChecks* checks_;
    std::string length_; // the -l setting as written in a field; empty when left to chance
};

} // namespace kanatsumugi
