#pragma once

#include "cli/CliOptions.h"
#include "generator/NameBatch.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

namespace kanatsumugi {

class KanaTables;
class WordChecks;

// Writes one name as a line in the form the command line asked for.
class LineFormat {
public:
    // Room a line may need past its start, padding included.
    static constexpr std::size_t kMaxLineBytes = 256;

    // `checks` gives the score and word fields of tsv, csv and jsonl; it may be null for
    // plain lines.
    LineFormat(const KanaTables& tables, const CliOptions& options, const WordChecks* checks);

    // What comes before the first line: the byte-order mark and the CSV header, if asked.
    [[nodiscard]] std::string header() const;

    // Writes the line of `name`, made at `reading`, at `start` and returns its end.
    // The bytes up to start + kMaxLineBytes may be overwritten.
    char* write(std::uint32_t reading, const KanaIndexName& name, char* start) const {
        if (!plainKanaOnly_) {
            return writeFields(reading, name, start);
        }
        char* const end = writeName(name, start);
        std::memcpy(end, lineEnd_.data(), lineEnd_.size());
        return end + lineEndSize_;
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
    std::array<char, 4> lineEnd_{};
    std::size_t lineEndSize_ = 0;
    bool plainKanaOnly_ = true;
    bool bom_ = false;
    OutputFormat format_;
    std::optional<RomajiStyle> romaji_;
    const WordChecks* checks_;
    std::string length_; // the -l setting as written in a field; empty when left to chance
};

} // namespace kanatsumugi
