#include "cli/NameFilter.h"

#include "apperror/AppError.h"
#include "cli/Language.h"
#include "generator/KanaTables.h"

namespace kanatsumugi {

namespace {

// One UTF-8 character at `at`, advancing `at`; nothing for malformed bytes.
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const int length = lead < 0x80           ? 1
                       : (lead >> 5) == 0x6  ? 2
                       : (lead >> 4) == 0xe  ? 3
                       : (lead >> 3) == 0x1e ? 4
                                             : 0;
    if (length == 0 || at + static_cast<std::size_t>(length) > text.size()) {
        ++at;
        return std::nullopt;
    }
    char32_t code = length == 1 ? lead : lead & (0x7f >> length);
    for (int i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[at + static_cast<std::size_t>(i)]);
        if ((byte & 0xc0) != 0x80) {
            ++at;
            return std::nullopt;
        }
        code = (code << 6) | (byte & 0x3f);
    }
    at += static_cast<std::size_t>(length);
    return code;
}

std::string utf8(char32_t code) {
    std::string bytes;
    if (code < 0x80) {
        bytes += static_cast<char>(code);
    } else if (code < 0x800) {
        bytes += static_cast<char>(0xc0 | (code >> 6));
        bytes += static_cast<char>(0x80 | (code & 0x3f));
    } else if (code < 0x10000) {
        bytes += static_cast<char>(0xe0 | (code >> 12));
        bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
        bytes += static_cast<char>(0x80 | (code & 0x3f));
    } else {
        bytes += static_cast<char>(0xf0 | (code >> 18));
        bytes += static_cast<char>(0x80 | ((code >> 12) & 0x3f));
        bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
        bytes += static_cast<char>(0x80 | (code & 0x3f));
    }
    return bytes;
}

// How a refused character is named: itself when printable, else its code point.
std::string shown(char32_t code) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text = "U+";
    for (int shift = code > 0xffff ? 20 : 12; shift >= 0; shift -= 4) {
        text += kHex[(code >> shift) & 0xf];
    }
    if (code >= 0x20 && code != 0x7f && !(code >= 0x80 && code < 0xa0)) {
        text = tr("「", "\"") + utf8(code) + tr("」", "\"") + " (" + text + ")";
    }
    return text;
}

} // namespace

std::u32string readKanaText(std::string_view text, std::string_view option) {
    if (text.empty()) {
        throw AppError(std::string(option) + tr(" の値が空です", ": the value is empty"));
    }
    std::u32string katakana;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = at;
        const std::optional<char32_t> code = nextCodePoint(text, at);
        if (!code) {
            throw AppError(
                std::string(option) +
                tr(" の値が UTF-8 ではありません (バイト ", ": the value is not UTF-8 (byte ") +
                std::to_string(start + 1) + ")");
        }
        if (*code >= 0x3041 && *code <= 0x3096) {
            katakana += static_cast<char32_t>(*code + 0x60); // hiragana to katakana
        } else if ((*code >= 0x30a1 && *code <= 0x30fa) || *code == 0x30fc) {
            katakana += *code;
        } else {
            throw AppError(std::string(option) +
                           tr(" にはひらがなかカタカナだけを書けます: ",
                              " takes hiragana or katakana only, not ") +
                           shown(*code));
        }
    }
    return katakana;
}

int inventoryIndexOf(const KanaTables& tables, std::string_view kanaBytes, bool shiftJis) {
    for (int i = 0; i < tables.inventoryCount(); ++i) {
        if ((shiftJis ? std::string_view(tables.kana(i)) : tables.kanaUtf8(i)) == kanaBytes) {
            return i;
        }
    }
    return -1;
}

std::optional<std::string> inventoryIndices(const KanaTables& tables,
                                            const std::u32string& katakana) {
    std::string indices;
    for (const char32_t code : katakana) {
        const int found = inventoryIndexOf(tables, utf8(code), false);
        if (found < 0) {
            return std::nullopt;
        }
        indices += static_cast<char>(found);
    }
    return indices;
}

} // namespace kanatsumugi
