#include "cli/CliOptions.h"

#include "apperror/AppError.h"
#include "apperror/Messages.h"
#include "generator/Clock.h"
#include "generator/RandomSource.h"

#include <algorithm>
#include <array>
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
    kWithout = kStartsWith + 5,
    kExcludeStock,
    kStock,
    kStockFile,
    kUnique,
    kRomaji,
    kFormat,
    kEncoding,
    kNatural,
    kNewWords,
    kPolite,
    kBlocklist,
    kRate,
};

// The one list of options: the parser, the usage line, the help and the messages about
// a refused value are made from it.
struct OptionSpec {
    const char* name; // the long name, or nullptr for a short option only
    int id;           // the short letter, or an OptionId
    int argument;     // no_argument, required_argument or optional_argument
    const char* value;
    const char* help;
    const char* accepts = nullptr;    // what a value must be
    bool CliOptions::*flag = nullptr; // what an option without a value sets
};

constexpr OptionSpec kOptions[] = {
    {nullptr, 'n', required_argument, "COUNT", msg("how many names (1 or more; default 1)"),
     msg("a whole number of 1 or more")},
    {nullptr, 'l', required_argument, "LENGTH", msg("fixed length, 2 to 8, as the window's box"),
     msg("2 to 8")},
    {"at", kAt, required_argument, "HH:MM:SS.mmm", msg("the first reading T (UTC; default: now)"),
     msg("the time as HH:MM:SS.mmm, 00:00:00.000 to 23:59:59.999")},
    {"spread", kSpread, no_argument, nullptr,
     msg("spread the readings evenly over the whole day, drawn from T"), nullptr,
     &CliOptions::spread},
    {"kana", kKana, required_argument, "A-B|N", msg("only names of A to B (or N) kana"),
     msg("N or A-B, from 2 to 9")},
    {"morae", kMorae, required_argument, "A-B|N",
     msg("only names of A to B (or N) morae (キャ is one, ッ ー ン one each)"),
     msg("N or A-B, from 1 to 9")},
    {"starts-with", kStartsWith, required_argument, "TEXT", msg("only names that start with TEXT")},
    {"not-starts-with", kStartsWith + 1, required_argument, "TEXT",
     msg("no names that start with TEXT")},
    {"ends-with", kStartsWith + 2, required_argument, "TEXT", msg("only names that end with TEXT")},
    {"not-ends-with", kStartsWith + 3, required_argument, "TEXT",
     msg("no names that end with TEXT")},
    {"contains", kStartsWith + 4, required_argument, "TEXT", msg("only names that contain TEXT")},
    {"without", kWithout, required_argument, "TEXT", msg("no names that contain TEXT")},
    {"exclude-stock", kExcludeStock, no_argument, nullptr, msg("skip names kept in the stock file"),
     nullptr, &CliOptions::excludeStock},
    {"stock", kStock, no_argument, nullptr, msg("add the names printed to the stock file"), nullptr,
     &CliOptions::stock},
    {"stock-file", kStockFile, required_argument, "FILE",
     msg("the stock file (default ./今まで名付けた名前.txt)"), msg("a file name")},
    {"natural", kNatural, required_argument, "low|mid|high|max",
     msg("only names that sound natural: the top 50, 25, 10 or 1 % of their length"),
     msg("low, mid, high or max")},
    {"new-words", kNewWords, no_argument, nullptr, msg("skip names that are dictionary words")},
    {"polite", kPolite, no_argument, nullptr,
     msg("skip names that hold a crude or insulting word of the built-in list")},
    {"blocklist", kBlocklist, required_argument, "FILE",
     msg("skip names that hold an entry of FILE (one a line, katakana or hiragana)"),
     msg("a file name")},
    {"rate", kRate, no_argument, nullptr,
     msg("rate the names after the options, or one a line on standard input"), nullptr,
     &CliOptions::rate},
    {"unique", kUnique, no_argument, nullptr, msg("no name twice"), nullptr, &CliOptions::unique},
    {"romaji", kRomaji, optional_argument, "hepburn|ascii",
     msg("add the romaji (ascii writes ー as -)"), msg("hepburn or ascii")},
    {"format", kFormat, required_argument, "plain|tsv|csv|jsonl", msg("output form"),
     msg("plain, tsv, csv or jsonl")},
    {"encoding", kEncoding, required_argument, "utf-8|utf-8-bom|cp932",
     msg("output encoding (utf-8-bom for csv and tsv)"), msg("utf-8, utf-8-bom or cp932")},
    {"help", 'h', no_argument, nullptr, msg("show this help"), nullptr, &CliOptions::help},
};

std::string spelling(const OptionSpec& spec) {
    return spec.name != nullptr ? "--" + std::string(spec.name)
                                : std::string{'-', static_cast<char>(spec.id)};
}

std::string valueOf(const OptionSpec& spec) {
    return spec.value == nullptr                ? ""
           : spec.argument == optional_argument ? "[=" + std::string(spec.value) + "]"
                                                : " " + std::string(spec.value);
}

const OptionSpec* specOf(int id) {
    for (const OptionSpec& spec : kOptions) {
        if (spec.id == id) {
            return &spec;
        }
    }
    return nullptr;
}

// Digits only, within [low, high].
std::optional<std::uint64_t> number(std::string_view text, std::uint64_t low, std::uint64_t high) {
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    const bool digits = !text.empty() && text[0] >= '0' && text[0] <= '9';
    return digits && stop == end && error == std::errc{} && value >= low && value <= high
               ? std::optional(value)
               : std::nullopt;
}

std::optional<CountRange> range(std::string_view text, int lowest) {
    const auto dash = text.find('-');
    const auto low = number(text.substr(0, dash), static_cast<std::uint64_t>(lowest), 9);
    const auto high = dash == std::string_view::npos ? low : number(text.substr(dash + 1), 1, 9);
    if (!low || !high || *low > *high) {
        return std::nullopt;
    }
    return CountRange{static_cast<int>(*low), static_cast<int>(*high), ""};
}

std::optional<std::uint32_t> clockReading(std::string_view text) {
    const bool shaped = text.size() == 12 && text[2] == ':' && text[5] == ':' && text[8] == '.';
    const auto hour = shaped ? number(text.substr(0, 2), 0, 23) : std::nullopt;
    const auto minute = shaped ? number(text.substr(3, 2), 0, 59) : std::nullopt;
    const auto second = shaped ? number(text.substr(6, 2), 0, 59) : std::nullopt;
    const auto millisecond = shaped ? number(text.substr(9, 3), 0, 999) : std::nullopt;
    if (!hour || !minute || !second || !millisecond) {
        return std::nullopt;
    }
    return TimeOfDay{static_cast<int>(*hour), static_cast<int>(*minute), static_cast<int>(*second),
                     static_cast<int>(*millisecond)}
        .milliseconds();
}

// The position of `text` among the choices "a|b|c" of a value, as its enum counts.
std::optional<int> choice(std::string_view choices, std::string_view text) {
    for (int i = 0; !choices.empty(); ++i) {
        const auto bar = choices.find('|');
        if (choices.substr(0, bar) == text) {
            return i;
        }
        choices = bar == std::string_view::npos ? "" : choices.substr(bar + 1);
    }
    return std::nullopt;
}

template <typename Field, typename Value>
bool set(Field& field, const std::optional<Value>& value) {
    if (value) {
        field = static_cast<Field>(*value);
    }
    return value.has_value();
}

// Katakana as UTF-8, hiragana read as the same katakana. Every kana is three bytes.
std::string readKanaText(std::string_view text, const std::string& option) {
    if (text.empty()) {
        throw AppError(fill(tr("%s: the value is empty"), {option}));
    }
    std::string katakana;
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t size = lead < 0x80 ? 1 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : 4;
        char32_t code = size == 1 ? lead : lead & (0x7f >> size);
        bool valid = (lead < 0x80 || lead >= 0xc2) && lead <= 0xf4 && at + size <= text.size();
        for (std::size_t i = 1; valid && i < size; ++i) {
            valid = (static_cast<unsigned char>(text[at + i]) & 0xc0) == 0x80;
            code = (code << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3f);
        }
        // The shortest form only: a longer one would slip a character past a byte check.
        constexpr std::array<char32_t, 5> kLeast = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && code >= kLeast[size];
        if (!valid) {
            throw AppError(
                fill(tr("%s: the value is not UTF-8 (byte %s)"), {option, std::to_string(at + 1)}));
        }
        const bool hiragana = code >= 0x3041 && code <= 0x3096;
        if (!hiragana && !(code >= 0x30a1 && code <= 0x30fa) && code != 0x30fc) {
            std::string shown = "U+";
            for (int shift = code > 0xffff ? 20 : 12; shift >= 0; shift -= 4) {
                shown += "0123456789ABCDEF"[(code >> shift) & 0xf];
            }
            if (code >= 0xa0 || (code >= 0x20 && code < 0x7f)) {
                shown = quoted(text.substr(at, size)).append(" (").append(shown).append(")");
            }
            throw AppError(fill(tr("%s takes hiragana or katakana only, not %s"), {option, shown}));
        }
        const char32_t kana = hiragana ? code + 0x60 : code; // the same sound in katakana
        katakana +=
            {static_cast<char>(0xe0 | (kana >> 12)), static_cast<char>(0x80 | ((kana >> 6) & 0x3f)),
             static_cast<char>(0x80 | (kana & 0x3f))};
        at += size;
    }
    return katakana;
}

// Reads the value of `spec` into `options`; false when the value is refused.
bool apply(CliOptions& options, const OptionSpec& spec, const char* value) {
    const std::string_view text = value != nullptr ? value : "";
    switch (spec.id) {
    case 'n':
        return set(options.count, number(text, 1, UINT64_MAX));
    case 'l':
        return set(options.fixedLength, number(text, 2, 8));
    case kAt:
        return set(options.startReading, clockReading(text));
    case kKana:
    case kMorae: {
        CountRange& field = spec.id == kKana ? options.kana : options.morae;
        const bool read = set(field, range(text, spec.id == kKana ? 2 : 1));
        field.given = spelling(spec) + " " + std::string(text);
        return read;
    }
    case kNewWords:
        return options.words.newWords = true;
    case kPolite:
        return options.words.polite = true;
    case kStockFile:
        options.stockFile = std::string(text);
        return !text.empty();
    case kBlocklist:
        options.words.blocklists.emplace_back(text);
        return !text.empty();
    case kNatural: {
        const auto chosen = choice(spec.value, text);
        if (chosen) {
            options.words.natural = static_cast<Natural>(*chosen);
        }
        return chosen.has_value();
    }
    case kRomaji:
    case kFormat:
    case kEncoding: {
        std::string word(text);
        if (spec.id == kEncoding) { // as the encoding's name is often written
            std::transform(word.begin(), word.end(), word.begin(), ::tolower);
            word = word == "utf8" ? "utf-8" : word;
        }
        const auto chosen = value == nullptr ? std::optional(0) : choice(spec.value, word);
        if (!chosen) {
            return false;
        }
        if (spec.id == kRomaji) {
            options.romaji = static_cast<RomajiStyle>(*chosen);
        } else if (spec.id == kFormat) {
            options.format = static_cast<OutputFormat>(*chosen);
        } else {
            options.encoding = static_cast<OutputEncoding>(*chosen);
        }
        return true;
    }
    default:
        if (spec.flag != nullptr) {
            options.*spec.flag = true;
            return true;
        }
        options.texts.emplace_back(static_cast<TextRule>(spec.id - kStartsWith),
                                   readKanaText(text, spelling(spec)));
        return true;
    }
}

void checkCombinations(const CliOptions& options) {
    const char* refused = nullptr;
    if (options.encoding == OutputEncoding::Cp932 &&
        (options.format != OutputFormat::Plain || options.romaji || options.rate)) {
        refused = msg("--encoding cp932 works with --format plain and no --romaji or --rate only");
    } else if (options.encoding == OutputEncoding::Utf8Bom && options.format != OutputFormat::Csv &&
               options.format != OutputFormat::Tsv) {
        refused = msg("--encoding utf-8-bom works with --format csv or tsv only");
    } else if (options.spread && options.count > kMillisecondsPerDay) {
        refused = msg("--spread takes one name a reading: -n 86400000 at most");
    } else if (options.stockFile && !options.stock && !options.excludeStock) {
        refused = msg("--stock-file names the file of --stock or --exclude-stock");
    }
    if (refused != nullptr) {
        throw AppError(tr(refused));
    }
}

} // namespace

std::string quoted(std::string_view text) {
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        shown += byte < 0x20 || byte == 0x7f ? "\\x" + std::string{"0123456789abcdef"[byte >> 4],
                                                                   "0123456789abcdef"[byte & 0xf]}
                                             : std::string(1, c);
    }
    return fill(tr("\"%s\""), {shown});
}

std::string optionOf(TextRule rule) {
    return spelling(*specOf(kStartsWith + static_cast<int>(rule)));
}

CliOptions parseCommandLine(int argc, char** argv) {
    std::vector<option> longOptions;
    std::string shortOptions = ":"; // ':' reports a missing value apart from an unknown option
    for (const OptionSpec& spec : kOptions) {
        if (spec.name != nullptr) {
            longOptions.push_back({spec.name, spec.argument, nullptr, spec.id});
        }
        if (spec.id < kAt) {
            shortOptions += std::string(1, static_cast<char>(spec.id)) +
                            (spec.argument == required_argument ? ":" : "");
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
            throw AppError(fill(tr("unknown option: %s"),
                                {quoted(optopt != 0 ? std::string{'-', static_cast<char>(optopt)}
                                                    : std::string(last))}));
        }
        if (!apply(options, *spec, optarg)) {
            throw AppError(fill(tr("%s: give %s, not %s"),
                                {spelling(*spec), tr(spec->accepts), quoted(optarg)}));
        }
    }
    if (optind < argc && !options.rate) {
        throw AppError(fill(tr("unexpected argument: %s"), {quoted(argv[optind])}));
    }
    options.rateNames.assign(argv + optind, argv + argc);
    checkCombinations(options);
    return options;
}

std::string usageLine() {
    std::string line = std::string(tr("Usage:")) + " kanatsumugi-cli";
    for (const OptionSpec& spec : kOptions) {
        line += " [" + spelling(spec) + valueOf(spec) + "]";
    }
    return line;
}

std::string helpText() {
    std::string text =
        usageLine() + "\n" +
        tr("Makes katakana names and writes them one a line. Name i (from 0) is the name\n"
           "the window makes when its button is pressed at the clock reading T + i\n"
           "milliseconds (UTC, wrapping at midnight). Filters choose readings: only the\n"
           "names of readings that pass are written. When a whole day of readings holds\n"
           "fewer than COUNT, the command says how many it found and stops.\n") +
        "\n";
    for (const OptionSpec& spec : kOptions) {
        std::string left = (spec.id == 'h' ? "  -h, " : "  ") + spelling(spec) + valueOf(spec);
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
