#pragma once

#include "cli/CliOptions.h"
#include "cli/NameBatch.h"

#include <array>
#include <cstdint>
#include <string>

namespace kanatsumugi {

class KanaTables;

// Writes one name as a line in the form the command line asked for.
class LineFormat {
public:
    // Room a line may need past its start, padding included.
    static constexpr std::size_t kMaxLineBytes = 256;

    LineFormat(const KanaTables& tables, const CliOptions& options);

    // What comes before the first line: the CSV header, else nothing.
    [[nodiscard]] std::string header() const;

    // Writes the line of `name`, made at `reading`, at `start` and returns its end.
    // The bytes up to start + kMaxLineBytes may be overwritten.
    char* write(std::uint32_t reading, const KanaIndexName& name, char* start) const {
        return plainKanaOnly_ ? writePlain(name, start) : writeFields(reading, name, start);
    }

private:
    // The bytes of one kana or line end, padded to four so each is copied as one block.
    struct Piece {
        std::array<char, 4> bytes{};
        std::size_t size = 0;
    };

    // Every kana has the same width in either encoding (three bytes in UTF-8, two in
    // Shift-JIS), so a plain line's layout follows from its kana count alone. All nine
    // slots are written whatever the name's length (the extra bytes lie past the line
    // and are overwritten or ignored): a loop ending on the length would be
    // mispredicted on almost every line.
    char* writePlain(const KanaIndexName& name, char* start) const {
        // Fields are read into locals first: the byte stores below may alias them, and
        // would make the compiler read them again after every kana.
        const std::size_t width = kanaWidth_;
        const Piece* const kana = kana_.data();
        const Piece lineEnd = lineEnd_;
#pragma GCC unroll 9
        for (std::size_t i = 0; i < KanaIndexName::kCapacity; ++i) {
            __builtin_memcpy(start + i * width, kana[name.kana[i]].bytes.data(), 4);
        }
        char* const end = start + static_cast<std::size_t>(name.count) * width;
        __builtin_memcpy(end, lineEnd.bytes.data(), 4);
        return end + lineEnd.size;
    }
    char* writeFields(std::uint32_t reading, const KanaIndexName& name, char* start) const;

    static Piece pieceOf(std::string_view bytes);

    std::array<Piece, 61> kana_;
    std::size_t kanaWidth_ = 0;
    Piece lineEnd_;
    bool plainKanaOnly_ = true;
    OutputFormat format_;
    std::optional<RomajiStyle> romaji_;
    std::string length_; // the -l setting as written in a field; empty when left to chance
};

} // namespace kanatsumugi
