#include "cli/CliOptions.h"

#include "apperror/AppError.h"

#include <charconv>

namespace kanatsumugi {

namespace {

// The argument as the user gave it, with control characters escaped so that the
// message stays on one line.
std::string quoted(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown = "「";
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
    return shown + "」";
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
        throw AppError(std::string(option) + " の値が整数ではありません: " + quoted(text));
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
    return name == "-n" || name == "-l" || name == "--at" || name == "--encoding";
}

} // namespace

std::uint64_t parseCount(std::string_view text) {
    const WholeNumber count = requireWholeNumber(text, "-n");
    if (!count.negative && count.tooLarge) {
        throw AppError("-n の値が大きすぎます: " + quoted(text));
    }
    if (count.negative || count.magnitude < 1) {
        throw AppError("-n の値は1以上にしてください: " + quoted(text));
    }
    return count.magnitude;
}

std::int32_t parseLength(std::string_view text) {
    const WholeNumber length = requireWholeNumber(text, "-l");
    if (length.negative || length.tooLarge || length.magnitude < 2 || length.magnitude > 8) {
        throw AppError("-l の値は2から8にしてください: " + quoted(text));
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
        throw AppError("--at の時刻は HH:MM:SS.mmm の形で指定してください: " + quoted(text));
    }
    if (*hour > 23 || *minute > 59 || *second > 59) {
        throw AppError("--at の時刻が範囲外です (00:00:00.000 から 23:59:59.999): " + quoted(text));
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
    throw AppError("--encoding の値は utf-8 か cp932 です: " + quoted(text));
}

CliOptions parseCommandLine(std::span<const std::string_view> args) {
    CliOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const OptionValue option = splitOption(args[i]);
        if (option.name == "-h" || option.name == "--help") {
            if (option.value) {
                throw AppError(std::string(option.name) + " は値を取りません: " + quoted(args[i]));
            }
            options.help = true;
            continue;
        }
        if (option.name == "--unique") {
            if (option.value) {
                throw AppError("--unique は値を取りません: " + quoted(args[i]));
            }
            options.unique = true;
            continue;
        }
        if (!takesValue(option.name)) {
            if (!args[i].starts_with("-") || args[i] == "-") {
                throw AppError("余分な引数があります: " + quoted(args[i]));
            }
            throw AppError("不明なオプションです: " + quoted(args[i]));
        }
        std::string_view value;
        if (option.value) {
            value = *option.value;
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            throw AppError(std::string(option.name) + " には値が必要です");
        }
        if (option.name == "-n") {
            options.count = parseCount(value);
        } else if (option.name == "-l") {
            options.fixedLength = parseLength(value);
        } else if (option.name == "--at") {
            options.startReading = parseClockReading(value);
        } else {
            options.encoding = parseEncoding(value);
        }
    }
    return options;
}

std::string_view usageLine() {
    return "使い方: kanatsumugi-cli [-n 個数] [-l 文字数] [--at HH:MM:SS.mmm] "
           "[--encoding utf-8|cp932] [--unique]";
}

std::string helpText() {
    std::string text(usageLine());
    text += "\n"
            "カタカナの名前をまとめて作り、一行に一つずつ書き出します。\n"
            "i 番目 (0 から) の名前は、時刻 T + i ミリ秒 (UTC、真夜中で折り返し) に\n"
            "「命名！」を押したときと同じ名前です。\n"
            "\n"
            "  -n 個数            作る名前の数 (1 以上、既定は 1)\n"
            "  -l 文字数          文字数を指定する (2 から 8)\n"
            "  --at HH:MM:SS.mmm  最初の時刻 T (UTC、既定は現在時刻)\n"
            "  --encoding utf-8|cp932\n"
            "                     出力の文字コード (既定は utf-8 で改行は LF、\n"
            "                     cp932 はストックファイルと同じ Shift-JIS と CR LF)\n"
            "  --unique           同じ名前を二度出さない (一日分の時刻に新しい名前が\n"
            "                     なくなったら、そこまでを出して終了状態 1 で止まる)\n"
            "  -h, --help         この説明を出す\n";
    return text;
}

} // namespace kanatsumugi
