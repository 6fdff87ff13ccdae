#include "cli/LineFormat.h"

#include "apperror/AppError.h"
#include "generator/KanaTables.h"

#include <cstring>

namespace kanatsumugi {

LineFormat::Piece LineFormat::pieceOf(std::string_view bytes) {
    Piece piece;
    std::memcpy(piece.bytes.data(), bytes.data(), bytes.size());
    piece.size = bytes.size();
    return piece;
}

LineFormat::LineFormat(const KanaTables& tables, const CliOptions& options)
    : plainKanaOnly_(options.format == OutputFormat::Plain && !options.romaji)
    , format_(options.format)
    , romaji_(options.romaji)
    , length_(options.fixedLength ? std::to_string(*options.fixedLength) : "") {
    const bool cp932 = options.encoding == OutputEncoding::Cp932;
    for (int i = 0; i < tables.inventoryCount(); ++i) {
        kana_.at(static_cast<std::size_t>(i)) =
            pieceOf(cp932 ? tables.kana(i) : tables.kanaUtf8(i));
    }
    kanaWidth_ = kana_[0].size;
    for (const Piece& piece : kana_) {
        if (piece.size != kanaWidth_) {
            throw AppError("仮名の出力幅がそろっていません");
        }
    }
    // CSV lines end in CR LF as RFC 4180 has it; cp932 is the stock file's own format.
    lineEnd_ = pieceOf(cp932 || format_ == OutputFormat::Csv ? "\r\n" : "\n");
}

std::string LineFormat::header() const {
    if (format_ != OutputFormat::Csv) {
        return "";
    }
    return romaji_ ? "name,romaji,time,length\r\n" : "name,time,length\r\n";
}

char* LineFormat::writeFields(std::uint32_t reading, const KanaIndexName& name, char* start) const {
    char* p = start;
    const auto put = [&](std::string_view text) {
        std::memcpy(p, text.data(), text.size());
        p += text.size();
    };
    const auto putName = [&] {
        for (int i = 0; i < name.count; ++i) {
            const Piece& piece = kana_[name.kana[static_cast<std::size_t>(i)]];
            std::memcpy(p, piece.bytes.data(), 4);
            p += piece.size;
        }
    };
    // Names, romaji, times and lengths hold no comma, quote, tab, backslash or line
    // break, so no field needs quoting or escaping in any of the forms.
    const std::string romanised = romaji_ ? romaji(name.indices(), *romaji_) : std::string();
    const std::uint32_t seconds = reading / 1000;
    const std::uint32_t parts[] = {seconds / 3600, seconds / 60 % 60, seconds % 60};
    std::array<char, 12> time{};
    for (std::size_t i = 0; i < 3; ++i) {
        time[i * 3] = static_cast<char>('0' + parts[i] / 10);
        time[i * 3 + 1] = static_cast<char>('0' + parts[i] % 10);
        time[i * 3 + 2] = i < 2 ? ':' : '.';
    }
    for (std::size_t i = 0, ms = reading % 1000; i < 3; ++i, ms /= 10) {
        time[11 - i] = static_cast<char>('0' + ms % 10);
    }
    switch (format_) {
    case OutputFormat::Plain:
        putName();
        if (romaji_) {
            put("\t");
            put(romanised);
        }
        break;
    case OutputFormat::Tsv:
    case OutputFormat::Csv: {
        const std::string_view separator = format_ == OutputFormat::Tsv ? "\t" : ",";
        putName();
        if (romaji_) {
            put(separator);
            put(romanised);
        }
        put(separator);
        put({time.data(), time.size()});
        put(separator);
        put(length_);
        break;
    }
    case OutputFormat::Jsonl:
        put(R"({"name":")");
        putName();
        if (romaji_) {
            put(R"(","romaji":")");
            put(romanised);
        }
        put(R"(","time":")");
        put({time.data(), time.size()});
        put(R"(","length":)");
        put(length_.empty() ? "null" : length_);
        put("}");
        break;
    }
    std::memcpy(p, lineEnd_.bytes.data(), 4);
    return p + lineEnd_.size;
}

} // namespace kanatsumugi
