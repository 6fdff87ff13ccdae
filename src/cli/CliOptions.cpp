#include "cli/CliOptions.h"

#include "apperror/AppError.h"
#include "cli/Language.h"
#include "cli/NameFilter.h"

#include <charconv>
#include <tuple>
#include <utility>

namespace kanatsumugi {

namespace {

// The argument as the user gave it, with control characters escaped so that the
// message stays on one line.
std::string quoted(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown = tr("「", "\"");
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0xf];
        } else {
            shown += c;
        }
    }
    return shown + tr("」", "\"");
}

struct WholeNumber {
    bool negative = false;
    bool tooLarge = false; // beyond 64 bits
    std::uint64_t magnitude = 0;
};

// Digits with an optional leading minus: no plus sign, no spaces, at least one digit.
std::optional<WholeNumber> readWholeNumber(std::string_view text) {
    WholeNumber number;
    if (text.starts_with('-')) {
        number.negative = true;
        text.remove_prefix(1);
    }
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number.magnitude);
    if (text.empty() || text.front() == '+' || stop != end) {
        return std::nullopt;
    }
    number.tooLarge = error == std::errc::result_out_of_range;
    if (error != std::errc{} && !number.tooLarge) {
        return std::nullopt;
    }
    return number;
}

WholeNumber requireWholeNumber(std::string_view text, std::string_view option) {
    const auto number = readWholeNumber(text);
    if (!number) {
        throw AppError(std::string(option) +
                       tr(" の値が整数ではありません: ", ": not a whole number: ") + quoted(text));
    }
    return *number;
}

// Exactly `digits` decimal digits.
std::optional<std::uint32_t> fixedDigits(std::string_view text, std::size_t digits) {
    if (text.size() != digits) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return value;
}

struct OptionValue {
    std::string_view name;
    std::optional<std::string_view> value; // set when given as -nVALUE or --name=VALUE
};

// Splits "-n5" into "-n" and "5", "--at=..." into "--at" and "...".
OptionValue splitOption(std::string_view arg) {
    if (arg.starts_with("--")) {
        const auto equals = arg.find('=');
        if (equals != std::string_view::npos) {
            return {arg.substr(0, equals), arg.substr(equals + 1)};
        }
        return {arg, std::nullopt};
    }
    if (arg.size() > 2 && arg[0] == '-') {
        return {arg.substr(0, 2), arg.substr(2)};
    }
    return {arg, std::nullopt};
}

bool takesValue(std::string_view name) {
    return name == "-n" || name == "-l" || name == "--at" || name == "--encoding" ||
           name == "--kana" || name == "--starts-with" || name == "--ends-with" ||
           name == "--contains" || name == "--without" || name == "--format";
}

// "N" or "A-B", each 2 to 9, A not above B.
std::pair<int, int> parseKanaRange(std::string_view text) {
    const auto dash = text.find('-');
    const std::string_view low = text.substr(0, dash);
    const std::string_view high = dash == std::string_view::npos ? low : text.substr(dash + 1);
    const auto a = readWholeNumber(low);
    const auto b = readWholeNumber(high);
    const auto inRange = [](const std::optional<WholeNumber>& n) {
        return n && !n->negative && !n->tooLarge && n->magnitude >= 2 && n->magnitude <= 9;
    };
    if (low.empty() || !inRange(a) || !inRange(b) || a->magnitude > b->magnitude) {
        throw AppError(tr("--kana の値は 2 から 9 の N か A-B にしてください: ",
                          "--kana: give N or A-B, from 2 to 9: ") +
                       quoted(text));
    }
    return {static_cast<int>(a->magnitude), static_cast<int>(b->magnitude)};
}

OutputFormat parseFormat(std::string_view text) {
    if (text == "plain") {
        return OutputFormat::Plain;
    }
    if (text == "tsv") {
        return OutputFormat::Tsv;
    }
    if (text == "csv") {
        return OutputFormat::Csv;
    }
    if (text == "jsonl") {
        return OutputFormat::Jsonl;
    }
    throw AppError(tr("--format の値は plain, tsv, csv, jsonl のどれかです: ",
                      "--format: plain, tsv, csv or jsonl, not ") +
                   quoted(text));
}

RomajiStyle parseRomaji(std::string_view text) {
    if (text == "hepburn") {
        return RomajiStyle::Hepburn;
    }
    if (text == "ascii") {
        return RomajiStyle::Ascii;
    }
    throw AppError(
        tr("--romaji の値は hepburn か ascii です: ", "--romaji: hepburn or ascii, not ") +
        quoted(text));
}

} // namespace

std::uint64_t parseCount(std::string_view text) {
    const WholeNumber count = requireWholeNumber(text, "-n");
    if (!count.negative && count.tooLarge) {
        throw AppError(tr("-n の値が大きすぎます: ", "-n: too large: ") + quoted(text));
    }
    if (count.negative || count.magnitude < 1) {
        throw AppError(tr("-n の値は1以上にしてください: ", "-n: give 1 or more: ") + quoted(text));
    }
    return count.magnitude;
}

std::int32_t parseLength(std::string_view text) {
    const WholeNumber length = requireWholeNumber(text, "-l");
    if (length.negative || length.tooLarge || length.magnitude < 2 || length.magnitude > 8) {
        throw AppError(tr("-l の値は2から8にしてください: ", "-l: give 2 to 8: ") + quoted(text));
    }
    return static_cast<std::int32_t>(length.magnitude);
}

std::uint32_t parseClockReading(std::string_view text) {
    const bool shaped = text.size() == 12 && text[2] == ':' && text[5] == ':' && text[8] == '.';
    const auto hour = shaped ? fixedDigits(text.substr(0, 2), 2) : std::nullopt;
    const auto minute = shaped ? fixedDigits(text.substr(3, 2), 2) : std::nullopt;
    const auto second = shaped ? fixedDigits(text.substr(6, 2), 2) : std::nullopt;
    const auto millisecond = shaped ? fixedDigits(text.substr(9, 3), 3) : std::nullopt;
    if (!hour || !minute || !second || !millisecond) {
        throw AppError(tr("--at の時刻は HH:MM:SS.mmm の形で指定してください: ",
                          "--at: give the time as HH:MM:SS.mmm: ") +
                       quoted(text));
    }
    if (*hour > 23 || *minute > 59 || *second > 59) {
        throw AppError(tr("--at の時刻が範囲外です (00:00:00.000 から 23:59:59.999): ",
                          "--at: out of range (00:00:00.000 to 23:59:59.999): ") +
                       quoted(text));
    }
    return ((*hour * 60 + *minute) * 60 + *second) * 1000 + *millisecond;
}

OutputEncoding parseEncoding(std::string_view text) {
    if (text == "utf-8" || text == "UTF-8" || text == "utf8") {
        return OutputEncoding::Utf8;
    }
    if (text == "cp932" || text == "CP932") {
        return OutputEncoding::Cp932;
    }
    throw AppError(
        tr("--encoding の値は utf-8 か cp932 です: ", "--encoding: utf-8 or cp932, not ") +
        quoted(text));
}

CliOptions parseCommandLine(std::span<const std::string_view> args) {
    CliOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const OptionValue option = splitOption(args[i]);
        const auto refuseValue = [&] {
            if (option.value) {
                throw AppError(std::string(option.name) +
                               tr(" は値を取りません: ", " takes no value: ") + quoted(args[i]));
            }
        };
        if (option.name == "-h" || option.name == "--help") {
            refuseValue();
            options.help = true;
            continue;
        }
        if (option.name == "--unique") {
            refuseValue();
            options.unique = true;
            continue;
        }
        if (option.name == "--romaji") {
            options.romaji = option.value ? parseRomaji(*option.value) : RomajiStyle::Hepburn;
            continue;
        }
        if (option.name == "--exclude-stock") {
            // The file is optional: a following word that is not an option names it.
            if (option.value) {
                options.excludeStock = std::string(*option.value);
            } else if (i + 1 < args.size() && !args[i + 1].starts_with("-")) {
                options.excludeStock = std::string(args[++i]);
            } else {
                options.excludeStock = std::string(kDefaultStockFile);
            }
            if (options.excludeStock->empty()) {
                throw AppError(tr("--exclude-stock のファイル名が空です",
                                  "--exclude-stock: the file name is empty"));
            }
            continue;
        }
        if (!takesValue(option.name)) {
            if (!args[i].starts_with("-") || args[i] == "-") {
                throw AppError(tr("余分な引数があります: ", "unexpected argument: ") +
                               quoted(args[i]));
            }
            throw AppError(tr("不明なオプションです: ", "unknown option: ") + quoted(args[i]));
        }
        std::string_view value;
        if (option.value) {
            value = *option.value;
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            throw AppError(std::string(option.name) + tr(" には値が必要です", " needs a value"));
        }
        if (option.name == "-n") {
            options.count = parseCount(value);
        } else if (option.name == "-l") {
            options.fixedLength = parseLength(value);
        } else if (option.name == "--at") {
            options.startReading = parseClockReading(value);
        } else if (option.name == "--encoding") {
            options.encoding = parseEncoding(value);
        } else if (option.name == "--kana") {
            std::tie(options.minKana, options.maxKana) = parseKanaRange(value);
        } else if (option.name == "--format") {
            options.format = parseFormat(value);
        } else {
            std::vector<std::u32string>& texts = option.name == "--starts-with" ? options.startsWith
                                                 : option.name == "--ends-with" ? options.endsWith
                                                 : option.name == "--contains"  ? options.contains
                                                                                : options.without;
            texts.push_back(readKanaText(value, option.name));
        }
    }
    // cp932 output is the stock file's format: names alone, one a line.
    if (options.encoding == OutputEncoding::Cp932 &&
        (options.format != OutputFormat::Plain || options.romaji)) {
        throw AppError(tr("--encoding cp932 は --format plain でローマ字なしのときだけ使えます",
                          "--encoding cp932 works with --format plain and no --romaji only"));
    }
    return options;
}

std::string usageLine() {
    return tr("使い方: ", "Usage: ") +
           "kanatsumugi-cli [-n COUNT] [-l LENGTH] [--at HH:MM:SS.mmm] [--kana A-B|N] "
           "[--starts-with|--ends-with|--contains|--without TEXT] [--exclude-stock [FILE]] "
           "[--unique] [--romaji[=ascii]] [--format plain|tsv|csv|jsonl] [--encoding utf-8|cp932]";
}

std::string helpText() {
    return usageLine() + "\n" +
           tr("カタカナの名前をまとめて作り、一行に一つずつ書き出します。\n"
              "i 番目 (0 から) の時刻 T + i ミリ秒 (UTC、真夜中で折り返し) に「命名！」を\n"
              "押したときと同じ名前です。条件を付けると、条件に合う時刻の名前だけを出します。\n"
              "一日分の時刻を読んでも COUNT 個に届かなければ、見つかった数を告げて止まります。\n"
              "\n"
              "  -n COUNT              作る名前の数 (1 以上、既定は 1)\n"
              "  -l LENGTH             文字数を指定する (2 から 8)\n"
              "  --at HH:MM:SS.mmm     最初の時刻 T (UTC、既定は現在時刻)\n"
              "  --kana A-B|N          仮名の数が A から B (または N) の名前だけ\n"
              "  --starts-with TEXT    TEXT で始まる名前だけ (くり返し可)\n"
              "  --ends-with TEXT      TEXT で終わる名前だけ (くり返し可)\n"
              "  --contains TEXT       TEXT を含む名前だけ (くり返し可)\n"
              "  --without TEXT        TEXT を含む名前を除く (くり返し可)\n"
              "                        TEXT はカタカナかひらがなで書きます\n"
              "  --exclude-stock [FILE]\n"
              "                        ストックファイルにある名前を除く\n"
              "                        (既定は ./今まで名付けた名前.txt)\n"
              "  --unique              同じ名前を二度出さない\n"
              "  --romaji[=ascii]      ローマ字を添える (ヘボン式。ascii は長音を母音の\n"
              "                        重ねで書く)\n"
              "  --format plain|tsv|csv|jsonl\n"
              "                        出力の形 (tsv, csv, jsonl は名前、ローマ字、時刻、\n"
              "                        文字数指定を並べる)\n"
              "  --encoding utf-8|cp932\n"
              "                        出力の文字コード (既定は utf-8 で改行は LF、\n"
              "                        cp932 はストックファイルと同じ Shift-JIS と CR LF)\n"
              "  -h, --help            この説明を出す\n"
              "\n"
              "終了状態: 0 は COUNT 個を出したとき、1 は一日分で足りなかったときや\n"
              "書き出せなかったとき、2 は引数の誤り。\n",
              "Makes katakana names and writes them one a line. Name i (from 0) is the name\n"
              "the window makes when its button is pressed at the clock reading T + i\n"
              "milliseconds (UTC, wrapping at midnight). Filters choose readings: only the\n"
              "names of readings that pass are written. When a whole day of readings holds\n"
              "fewer than COUNT, the command says how many it found and stops.\n"
              "\n"
              "  -n COUNT              how many names (1 or more; default 1)\n"
              "  -l LENGTH             fixed length, 2 to 8, as the window's length box\n"
              "  --at HH:MM:SS.mmm     the first reading T (UTC; default: now)\n"
              "  --kana A-B|N          only names of A to B (or N) kana\n"
              "  --starts-with TEXT    only names that start with TEXT (repeatable)\n"
              "  --ends-with TEXT      only names that end with TEXT (repeatable)\n"
              "  --contains TEXT       only names that contain TEXT (repeatable)\n"
              "  --without TEXT        no names that contain TEXT (repeatable)\n"
              "                        TEXT is katakana or hiragana\n"
              "  --exclude-stock [FILE]\n"
              "                        skip names kept in the stock file\n"
              "                        (default ./今まで名付けた名前.txt)\n"
              "  --unique              no name twice\n"
              "  --romaji[=ascii]      add the romaji (Hepburn; ascii doubles long vowels\n"
              "                        instead of macrons)\n"
              "  --format plain|tsv|csv|jsonl\n"
              "                        output form (tsv, csv and jsonl give the name, romaji,\n"
              "                        clock reading and length setting)\n"
              "  --encoding utf-8|cp932\n"
              "                        output encoding (default utf-8 with LF; cp932 is the\n"
              "                        stock file's own Shift-JIS with CR LF)\n"
              "  -h, --help            show this help\n"
              "\n"
              "Exit status: 0 when COUNT names were written, 1 when a whole day held fewer\n"
              "or the output could not be written, 2 for a bad argument.\n");
}

} // namespace kanatsumugi
