#include "cli/CliOptions.h"

#include "apperror/AppError.h"
#include "apperror/Messages.h"
#include "generator/Clock.h"
#include "generator/RandomSource.h"
#include "lexicon/KanaText.h"

#include <algorithm>
#include <charconv>
#include <getopt.h>

namespace kanatsumugi {

namespace {

struct OptionSpec;
// Reads an option's value (none: a null view) into the options; false when it is refused,
// and the options are then thrown away.
using ValueReader = bool (*)(CliOptions&, std::string_view, const OptionSpec&);

// The one list of options: the parser, the usage line, the help and the messages about
// a refused value are made from it.
struct OptionSpec {
    const char* name;  // the long name, or nullptr for a short option only
    char letter;       // the short name, or 0
    const char* value; // what the value stands for, nullptr for none; "a|b" for a choice
    const char* help;
    const char* accepts; // what a value must be
    ValueReader read;
    bool optionalValue = false;
};

// Digits only, within [low, high].
template <typename Field>
bool number(std::string_view text, std::uint64_t low, std::uint64_t high, Field& field) {
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    field = static_cast<Field>(value);
    return stop == end && error == std::errc{} && value >= low && value <= high;
}

// "N" or "A-B", from `lowest` to 9.
bool range(std::string_view text, int lowest, const OptionSpec& spec, CountRange& field) {
    const auto dash = text.find('-');
    field.given = "--" + std::string(spec.name) + " " + std::string(text);
    return number(text.substr(0, dash), lowest, 9, field.low) &&
           number(text.substr(dash == text.npos ? 0 : dash + 1), field.low, 9, field.high);
}

// Sets `field` to the position of `text` among the choices "a|b|c" of `spec`, as `Enum`
// counts them; no value at all (a null view) is the first choice.
template <typename Enum, typename Field>
bool choose(Field& field, const OptionSpec& spec, std::string_view text) {
    const std::string choices = "|" + std::string(spec.value) + "|";
    const auto at = text.data() == nullptr        ? 0
                    : text.find('|') == text.npos ? choices.find("|" + std::string(text) + "|")
                                                  : std::string::npos;
    if (at != std::string::npos) {
        field = static_cast<Enum>(std::ranges::count(choices.substr(0, at), '|'));
    }
    return at != std::string::npos;
}

bool readText(CliOptions& options, std::string_view text, const OptionSpec& spec);

// Lets a reader stand in the table as a lambda of one line.
constexpr ValueReader reader(ValueReader read) {
    return read;
}

constexpr OptionSpec kOptions[] = {
    {nullptr, 'n', "COUNT", msg("how many names (1 or more; default 1)"),
     msg("a whole number of 1 or more"),
     reader([](auto& o, auto v, auto&) { return number(v, 1, UINT64_MAX, o.count); })},
    {nullptr, 'l', "LENGTH", msg("fixed length, 2 to 8, as the window's box"), msg("2 to 8"),
     reader([](auto& o, auto v, auto&) { return number(v, 2, 8, o.fixedLength); })},
    {"at", 0, "HH:MM:SS.mmm", msg("the first reading T (UTC; default: now)"),
     msg("the time as HH:MM:SS.mmm, 00:00:00.000 to 23:59:59.999"),
     reader(
         [](auto& o, auto v, auto&) { return (o.startReading = readClockText(v)).has_value(); })},
    {"spread", 0, nullptr, msg("spread the readings evenly over the whole day, drawn from T"),
     nullptr, reader([](auto& o, auto, auto&) { return o.spread = true; })},
    {"kana", 0, "A-B|N", msg("only names of A to B (or N) kana"), msg("N or A-B, from 2 to 9"),
     reader([](auto& o, auto v, auto& s) { return range(v, 2, s, o.kana); })},
    {"morae", 0, "A-B|N", msg("only names of A to B (or N) morae (キャ is one, ッ ー ン one each)"),
     msg("N or A-B, from 1 to 9"),
     reader([](auto& o, auto v, auto& s) { return range(v, 1, s, o.morae); })},
    // The six text rules, in the order of TextRule.
    {"starts-with", 0, "TEXT", msg("only names that start with TEXT"), nullptr, readText},
    {"not-starts-with", 0, "TEXT", msg("no names that start with TEXT"), nullptr, readText},
    {"ends-with", 0, "TEXT", msg("only names that end with TEXT"), nullptr, readText},
    {"not-ends-with", 0, "TEXT", msg("no names that end with TEXT"), nullptr, readText},
    {"contains", 0, "TEXT", msg("only names that contain TEXT"), nullptr, readText},
    {"without", 0, "TEXT", msg("no names that contain TEXT"), nullptr, readText},
    {"exclude-stock", 0, nullptr, msg("skip names kept in the stock file"), nullptr,
     reader([](auto& o, auto, auto&) { return o.excludeStock = true; })},
    {"stock", 0, nullptr, msg("add the names printed to the stock file"), nullptr,
     reader([](auto& o, auto, auto&) { return o.stock = true; })},
    {"stock-file", 0, "FILE", msg("the stock file (default ./今まで名付けた名前.txt)"),
     msg("a file name"),
     reader([](auto& o, auto v, auto&) { return !(o.stockFile = std::string(v))->empty(); })},
    {"natural", 0, "low|mid|high|max",
     msg("only names that sound natural: the top 50, 25, 10 or 1 % of their length"),
     msg("low, mid, high or max"),
     reader([](auto& o, auto v, auto& s) { return choose<Natural>(o.words.natural, s, v); })},
    {"new-words", 0, nullptr, msg("skip names that are dictionary words"), nullptr,
     reader([](auto& o, auto, auto&) { return o.words.newWords = true; })},
    {"polite", 0, nullptr,
     msg("skip names that hold a crude or insulting word of the built-in list"), nullptr,
     reader([](auto& o, auto, auto&) { return o.words.polite = true; })},
    {"blocklist", 0, "FILE",
     msg("skip names that hold an entry of FILE (one a line, katakana or hiragana)"),
     msg("a file name"),
     reader([](auto& o, auto v, auto&) { return !o.words.blocklists.emplace_back(v).empty(); })},
    {"rate", 0, nullptr, msg("rate the names after the options, or one a line on standard input"),
     nullptr, reader([](auto& o, auto, auto&) { return o.rate = true; })},
    {"unique", 0, nullptr, msg("no name twice"), nullptr,
     reader([](auto& o, auto, auto&) { return o.unique = true; })},
    {"romaji", 0, "hepburn|ascii", msg("add the romaji (ascii writes ー as -)"),
     msg("hepburn or ascii"),
     reader([](auto& o, auto v, auto& s) { return choose<RomajiStyle>(o.romaji, s, v); }), true},
    {"format", 0, "plain|tsv|csv|jsonl", msg("output form"), msg("plain, tsv, csv or jsonl"),
     reader([](auto& o, auto v, auto& s) { return choose<OutputFormat>(o.format, s, v); })},
    {"encoding", 0, "utf-8|utf-8-bom|cp932", msg("output encoding (utf-8-bom for csv and tsv)"),
     msg("utf-8, utf-8-bom or cp932"), reader([](auto& o, auto v, auto& s) {
         std::string name(v); // as the encoding's name is often written
         std::transform(name.begin(), name.end(), name.begin(), ::tolower);
         return choose<OutputEncoding>(o.encoding, s, name == "utf8" ? "utf-8" : name);
     })},
    {"help", 'h', nullptr, msg("show this help"), nullptr,
     reader([](auto& o, auto, auto&) { return o.help = true; })},
};
constexpr int kFirstText = 6;
static_assert(std::string_view(kOptions[kFirstText].name) == "starts-with" &&
              std::string_view(kOptions[kFirstText + 5].name) == "without");
constexpr int kFirstLongId = 256; // getopt's id of a long option: this plus its index

std::string spelling(const OptionSpec& spec) {
    return spec.name != nullptr ? "--" + std::string(spec.name) : std::string{'-', spec.letter};
}

std::string valueOf(const OptionSpec& spec) {
    return spec.value == nullptr ? ""
           : spec.optionalValue  ? "[=" + std::string(spec.value) + "]"
                                 : " " + std::string(spec.value);
}

bool readText(CliOptions& options, std::string_view text, const OptionSpec& spec) {
    options.texts.emplace_back(static_cast<TextRule>(&spec - &kOptions[kFirstText]),
                               readKanaText(text, spelling(spec)));
    return true;
}

const OptionSpec* specOf(int id) {
    if (id >= kFirstLongId) {
        return &kOptions[id - kFirstLongId];
    }
    const auto* spec = std::ranges::find(kOptions, static_cast<char>(id), &OptionSpec::letter);
    return id != 0 && spec != std::end(kOptions) ? spec : nullptr;
}

void checkCombinations(const CliOptions& o) {
    const bool sheet = o.format == OutputFormat::Csv || o.format == OutputFormat::Tsv;
    const char* refused =
        o.encoding == OutputEncoding::Cp932 &&
                (o.format != OutputFormat::Plain || o.romaji || o.rate)
            ? msg("--encoding cp932 works with --format plain and no --romaji or --rate only")
        : o.encoding == OutputEncoding::Utf8Bom && !sheet
            ? msg("--encoding utf-8-bom works with --format csv or tsv only")
        : o.spread && o.count > kMillisecondsPerDay
            ? msg("--spread takes one name a reading: -n 86400000 at most")
        : o.stockFile && !o.stock && !o.excludeStock
            ? msg("--stock-file names the file of --stock or --exclude-stock")
            : nullptr;
    if (refused != nullptr) {
        throw InputError(tr(refused));
    }
}

} // namespace

std::string optionOf(TextRule rule) {
    return spelling(kOptions[kFirstText + static_cast<int>(rule)]);
}

CliOptions parseCommandLine(int argc, char** argv) {
    std::vector<option> longOptions;
    std::string shortOptions = ":"; // ':' reports a missing value apart from an unknown option
    for (int i = 0; const OptionSpec& spec : kOptions) {
        const int argument = spec.value == nullptr ? no_argument
                             : spec.optionalValue  ? optional_argument
                                                   : required_argument;
        if (spec.name != nullptr) {
            longOptions.push_back({spec.name, argument, nullptr, kFirstLongId + i});
        }
        if (spec.letter != 0) {
            shortOptions += std::string(1, spec.letter) + (spec.value != nullptr ? ":" : "");
        }
        ++i;
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
            throw InputError(fill(tr("%s needs a value"), {last}));
        }
        if (id == '?') {
            throw InputError(
                spec != nullptr && last.starts_with("--")
                    ? fill(tr("%s takes no value: %s"), {spelling(*spec), quoted(last)})
                    : fill(tr("unknown option: %s"),
                           {quoted(optopt != 0 ? std::string{'-', static_cast<char>(optopt)}
                                               : std::string(last))}));
        }
        if (!spec->read(options, optarg != nullptr ? optarg : std::string_view(), *spec)) {
            throw InputError(fill(tr("%s: give %s, not %s"),
                                  {spelling(*spec), tr(spec->accepts), quoted(optarg)}));
        }
    }
    if (optind < argc && !options.rate) {
        throw InputError(fill(tr("unexpected argument: %s"), {quoted(argv[optind])}));
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
        std::string left = (spec.letter == 'h' ? "  -h, " : "  ") + spelling(spec) + valueOf(spec);
        left += left.size() < 24 ? std::string(24 - left.size(), ' ') : "\n" + std::string(24, ' ');
        text += left + tr(spec.help) + "\n";
    }
    return text + "\n" +
           tr("TEXT is katakana or hiragana; the text options may be repeated.\n"
              "Exit status: 0 when COUNT names were written, 1 when a whole day held fewer,\n"
              "no name can meet the filters or the output could not be written, 2 for a bad\n"
              "argument or a file that cannot be read (stock, blocklist, data).\n");
}

} // namespace kanatsumugi
