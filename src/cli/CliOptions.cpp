#include "cli/CliOptions.h"

#include "apperror/AppError.h"
#include "cli/Messages.h"
#include "generator/Clock.h"
#include "generator/RandomSource.h"

#include <charconv>
#include <getopt.h>

namespace kanatsumugi {

namespace {

// Marks a message id in a table; the table's reader translates it.
constexpr const char* msg(const char* english) {
    return english;
}

enum OptionId {
    kAt = 256,
    kSpread,
    kKana,
    kMorae,
    kStartsWith, // the six text rules, in the order of TextRule
    kNotStartsWith,
    kEndsWith,
    kNotEndsWith,
    kContains,
    kWithout,
    kExcludeStock,
    kStock,
    kStockFile,
    kUnique,
    kRomaji,
    kFormat,
    kEncoding,
};

// The one list of options: the parser, the usage line and the help are made from it.
struct OptionSpec {
    const char* name; // the long name, or nullptr for a short option only
    int id;           // the short letter, or an OptionId
    int argument;     // no_argument, required_argument or optional_argument
    const char* value;
    const char* help;
};

constexpr OptionSpec kOptions[] = {
    {nullptr, 'n', required_argument, "COUNT", msg("how many names (1 or more; default 1)")},
    {nullptr, 'l', required_argument, "LENGTH", msg("fixed length, 2 to 8, as the window's box")},
    {"at", kAt, required_argument, "HH:MM:SS.mmm", msg("the first reading T (UTC; default: now)")},
    {"spread", kSpread, no_argument, nullptr,
     msg("spread the readings evenly over the whole day, drawn from T")},
    {"kana", kKana, required_argument, "A-B|N", msg("only names of A to B (or N) kana")},
    {"morae", kMorae, required_argument, "A-B|N",
     msg("only names of A to B (or N) morae (キャ is one, ッ ー ン one each)")},
    {"starts-with", kStartsWith, required_argument, "TEXT", msg("only names that start with TEXT")},
    {"not-starts-with", kNotStartsWith, required_argument, "TEXT",
     msg("no names that start with TEXT")},
    {"ends-with", kEndsWith, required_argument, "TEXT", msg("only names that end with TEXT")},
    {"not-ends-with", kNotEndsWith, required_argument, "TEXT", msg("no names that end with TEXT")},
    {"contains", kContains, required_argument, "TEXT", msg("only names that contain TEXT")},
    {"without", kWithout, required_argument, "TEXT", msg("no names that contain TEXT")},
    {"exclude-stock", kExcludeStock, no_argument, nullptr,
     msg("skip names kept in the stock file")},
    {"stock", kStock, no_argument, nullptr, msg("add the names printed to the stock file")},
    {"stock-file", kStockFile, required_argument, "FILE",
     msg("the stock file (default ./今まで名付けた名前.txt)")},
    {"unique", kUnique, no_argument, nullptr, msg("no name twice")},
    {"romaji", kRomaji, optional_argument, "hepburn|ascii",
     msg("add the romaji (ascii writes ー as -)")},
    {"format", kFormat, required_argument, "plain|tsv|csv|jsonl", msg("output form")},
    {"encoding", kEncoding, required_argument, "utf-8|utf-8-bom|cp932",
     msg("output encoding (utf-8-bom for csv and tsv)")},
    {"help", 'h', no_argument, nullptr, msg("show this help")},
};

std::string spelling(const OptionSpec& spec) {
    return spec.name != nullptr ? "--" + std::string(spec.name)
                                : std::string{'-', static_cast<char>(spec.id)};
}

const OptionSpec* specOf(int id) {
    for (const OptionSpec& spec : kOptions) {
        if (spec.id == id) {
            return &spec;
        }
    }
    return nullptr;
}

// The argument as the user gave it, quoted, with control characters escaped so that the
// message stays on one line.
std::string quoted(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            shown.append("\\x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 0xf]);
        } else {
            shown += c;
        }
    }
    return fill(tr("\"%s\""), {shown});
}

[[noreturn]] void refuse(const char* message, std::string_view option, std::string_view value) {
    throw AppError(fill(tr(message), {option, quoted(value)}));
}

// Digits only, within [low, high]; nothing otherwise.
std::optional<std::uint64_t> number(std::string_view text, std::uint64_t low, std::uint64_t high) {
    std::uint64_t value = 0;
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || text[0] == '-' || text[0] == '+' || stop != text.data() + text.size() ||
        error != std::errc{} || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

CountRange parseRange(std::string_view text, std::string_view option, int lowest) {
    const auto dash = text.find('-');
    const auto low = number(text.substr(0, dash), static_cast<std::uint64_t>(lowest), 9);
    const auto high = dash == std::string_view::npos ? low : number(text.substr(dash + 1), 2, 9);
    if (!low || !high || *low > *high) {
        refuse(lowest == 2 ? msg("%s: give N or A-B, from 2 to 9: %s")
                           : msg("%s: give N or A-B, from 1 to 9: %s"),
               option, text);
    }
    return {static_cast<int>(*low), static_cast<int>(*high),
            std::string(option) + " " + std::string(text)};
}

template <typename T>
T choose(std::string_view text, std::string_view option,
         std::initializer_list<std::pair<std::string_view, T>> choices) {
    for (const auto& [word, value] : choices) {
        if (text == word) {
            return value;
        }
    }
    refuse(msg("%s: not one of the choices: %s"), option, text);
}

// One UTF-8 character at the front of `text`, removed from it; nothing for malformed bytes.
std::optional<char32_t> takeCodePoint(std::string_view& text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t size = lead < 0x80 ? 1 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : 4;
    if ((lead >= 0x80 && lead < 0xc2) || lead > 0xf4 || size > text.size()) {
        return std::nullopt;
    }
    char32_t code = size == 1 ? lead : lead & (0x7f >> size);
    for (std::size_t i = 1; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xc0) != 0x80) {
            return std::nullopt;
        }
        code = (code << 6) | (byte & 0x3f);
    }
    text.remove_prefix(size);
    return code;
}

// Katakana as UTF-8, hiragana read as the same katakana.
std::string readKanaText(std::string_view text, std::string_view option) {
    if (text.empty()) {
        throw AppError(fill(tr("%s: the value is empty"), {option}));
    }
    std::string katakana;
    for (std::string_view rest = text; !rest.empty();) {
        const std::size_t at = text.size() - rest.size();
        const std::string_view bytes = rest.substr(0, 3);
        const std::optional<char32_t> code = takeCodePoint(rest);
        if (!code) {
            throw AppError(
                fill(tr("%s: the value is not UTF-8 (byte %s)"), {option, std::to_string(at + 1)}));
        }
        if (*code >= 0x3041 && *code <= 0x3096) {
            const char32_t kana = *code + 0x60; // the same sound in katakana
            katakana += static_cast<char>(0xe0 | (kana >> 12));
            katakana += static_cast<char>(0x80 | ((kana >> 6) & 0x3f));
            katakana += static_cast<char>(0x80 | (kana & 0x3f));
        } else if ((*code >= 0x30a1 && *code <= 0x30fa) || *code == 0x30fc) {
            katakana += bytes;
        } else {
            static constexpr char kHex[] = "0123456789ABCDEF";
            std::string shown = "U+";
            for (int shift = *code > 0xffff ? 20 : 12; shift >= 0; shift -= 4) {
                shown += kHex[(*code >> shift) & 0xf];
            }
            if (*code >= 0x20 && *code != 0x7f && !(*code >= 0x80 && *code < 0xa0)) {
                shown =
                    quoted(text.substr(at, text.size() - rest.size() - at)) + " (" + shown + ")";
            }
            throw AppError(fill(tr("%s takes hiragana or katakana only, not %s"), {option, shown}));
        }
    }
    return katakana;
}

void checkCombinations(const CliOptions& options) {
    if (options.encoding == OutputEncoding::Cp932 &&
        (options.format != OutputFormat::Plain || options.romaji)) {
        throw AppError(tr("--encoding cp932 works with --format plain and no --romaji only"));
    }
    if (options.encoding == OutputEncoding::Utf8Bom && options.format != OutputFormat::Csv &&
        options.format != OutputFormat::Tsv) {
        throw AppError(tr("--encoding utf-8-bom works with --format csv or tsv only"));
    }
    if (options.spread && options.count > kMillisecondsPerDay) {
        throw AppError(tr("--spread takes one name a reading: -n 86400000 at most"));
    }
    if (options.stockFile && !options.stock && !options.excludeStock) {
        throw AppError(tr("--stock-file names the file of --stock or --exclude-stock"));
    }
}

void apply(CliOptions& options, const OptionSpec& spec, const char* value) {
    const std::string option = spelling(spec);
    const std::string_view text = value != nullptr ? value : "";
    switch (spec.id) {
    case 'n':
        if (const auto count = number(text, 1, UINT64_MAX)) {
            options.count = *count;
            return;
        }
        refuse(msg("%s: give a whole number of 1 or more: %s"), option, text);
    case 'l':
        if (const auto length = number(text, 2, 8)) {
            options.fixedLength = static_cast<std::int32_t>(*length);
            return;
        }
        refuse(msg("%s: give 2 to 8: %s"), option, text);
    case kAt:
        options.startReading = parseClockReading(text);
        return;
    case kKana:
    case kMorae:
        (spec.id == kKana ? options.kana : options.morae) =
            parseRange(text, option, spec.id == kKana ? 2 : 1);
        return;
    case kStockFile:
        if (text.empty()) {
            throw AppError(fill(tr("%s: the value is empty"), {option}));
        }
        options.stockFile = std::string(text);
        return;
    case kRomaji:
        options.romaji = value == nullptr ? RomajiStyle::Hepburn
                                          : choose<RomajiStyle>(text, option,
                                                                {{"hepburn", RomajiStyle::Hepburn},
                                                                 {"ascii", RomajiStyle::Ascii}});
        return;
    case kFormat:
        options.format = choose<OutputFormat>(text, option,
                                              {{"plain", OutputFormat::Plain},
                                               {"tsv", OutputFormat::Tsv},
                                               {"csv", OutputFormat::Csv},
                                               {"jsonl", OutputFormat::Jsonl}});
        return;
    case kEncoding:
        options.encoding = choose<OutputEncoding>(text, option,
                                                  {{"utf-8", OutputEncoding::Utf8},
                                                   {"UTF-8", OutputEncoding::Utf8},
                                                   {"utf8", OutputEncoding::Utf8},
                                                   {"utf-8-bom", OutputEncoding::Utf8Bom},
                                                   {"cp932", OutputEncoding::Cp932},
                                                   {"CP932", OutputEncoding::Cp932}});
        return;
    default:
        break;
    }
    if (spec.id >= kStartsWith && spec.id <= kWithout) {
        options.texts.emplace_back(static_cast<TextRule>(spec.id - kStartsWith),
                                   readKanaText(text, option));
        return;
    }
    (spec.id == kSpread         ? options.spread
     : spec.id == kExcludeStock ? options.excludeStock
     : spec.id == kStock        ? options.stock
     : spec.id == kUnique       ? options.unique
                                : options.help) = true;
}

} // namespace

std::string optionOf(TextRule rule) {
    return spelling(*specOf(kStartsWith + static_cast<int>(rule)));
}

std::uint32_t parseClockReading(std::string_view text) {
    const bool shaped = text.size() == 12 && text[2] == ':' && text[5] == ':' && text[8] == '.';
    const auto part = [&](std::size_t at, std::size_t size, std::uint64_t high) {
        const std::string_view digits = text.substr(at, size);
        const bool plain = digits.find_first_not_of("0123456789") == std::string_view::npos;
        return shaped && plain ? number(digits, 0, high) : std::nullopt;
    };
    if (!shaped || !part(0, 2, 99) || !part(3, 2, 99) || !part(6, 2, 99) || !part(9, 3, 999)) {
        refuse(msg("%s: give the time as HH:MM:SS.mmm: %s"), "--at", text);
    }
    const auto hour = part(0, 2, 23);
    const auto minute = part(3, 2, 59);
    const auto second = part(6, 2, 59);
    if (!hour || !minute || !second) {
        refuse(msg("%s: out of range (00:00:00.000 to 23:59:59.999): %s"), "--at", text);
    }
    return TimeOfDay{static_cast<int>(*hour), static_cast<int>(*minute), static_cast<int>(*second),
                     static_cast<int>(*part(9, 3, 999))}
        .milliseconds();
}

CliOptions parseCommandLine(int argc, char** argv) {
    std::vector<option> longOptions;
    std::string shortOptions = ":"; // ':' reports a missing value apart from an unknown option
    for (const OptionSpec& spec : kOptions) {
        if (spec.name != nullptr) {
            longOptions.push_back({spec.name, spec.argument, nullptr, spec.id});
        }
        if (spec.id < kAt) {
            shortOptions += static_cast<char>(spec.id);
            shortOptions += spec.argument == required_argument ? ":" : "";
        }
    }
    longOptions.push_back({});
    CliOptions options;
    opterr = 0;
    optind = 0; // starts getopt afresh
    for (int id = 0;
         (id = getopt_long(argc, argv, shortOptions.c_str(), longOptions.data(), nullptr)) != -1;) {
        const std::string_view last = argv[optind - 1];
        const OptionSpec* spec = specOf(id == '?' || id == ':' ? optopt : id);
        if (id == ':') {
            throw AppError(fill(tr("%s needs a value"), {last}));
        }
        if (id == '?' && spec != nullptr && last.starts_with("--")) {
            throw AppError(fill(tr("%s takes no value: %s"), {spelling(*spec), quoted(last)}));
        }
        if (id == '?') {
            const std::string shown =
                optopt != 0 ? std::string{'-', static_cast<char>(optopt)} : std::string(last);
            throw AppError(fill(tr("unknown option: %s"), {quoted(shown)}));
        }
        apply(options, *spec, optarg);
    }
    if (optind < argc) {
        throw AppError(fill(tr("unexpected argument: %s"), {quoted(argv[optind])}));
    }
    checkCombinations(options);
    return options;
}

std::string usageLine() {
    std::string line = std::string(tr("Usage:")) + " kanatsumugi-cli";
    for (const OptionSpec& spec : kOptions) {
        const std::string value = spec.value == nullptr ? ""
                                  : spec.argument == optional_argument
                                      ? "[=" + std::string(spec.value) + "]"
                                      : " " + std::string(spec.value);
        line += " [" + spelling(spec) + value + "]";
    }
    return line;
}

std::string helpText() {
    std::string text = usageLine() + "\n" +
                       tr("Makes katakana names and writes them one a line. Name i (from 0) is "
                          "the name\nthe window makes when its button is pressed at the clock "
                          "reading T + i\nmilliseconds (UTC, wrapping at midnight). Filters "
                          "choose readings: only the\nnames of readings that pass are written. "
                          "When a whole day of readings holds\nfewer than COUNT, the command "
                          "says how many it found and stops.\n") +
                       "\n";
    for (const OptionSpec& spec : kOptions) {
        std::string left = "  " + (spec.id == 'h' ? "-h, " : std::string()) + spelling(spec);
        if (spec.value != nullptr) {
            left += spec.argument == optional_argument ? "[=" + std::string(spec.value) + "]"
                                                       : " " + std::string(spec.value);
        }
        left += left.size() < 24 ? std::string(24 - left.size(), ' ') : "\n" + std::string(24, ' ');
        text += left + tr(spec.help) + "\n";
    }
    return text + "\n" +
           tr("TEXT is katakana or hiragana; the text options may be repeated.\n"
              "Exit status: 0 when COUNT names were written, 1 when a whole day held fewer,\n"
              "no name can meet the filters or the output could not be written, 2 for a bad\n"
              "argument.\n");
}

} // namespace kanatsumugi
