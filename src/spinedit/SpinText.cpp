#include "spinedit/SpinText.h"

#include <limits>

namespace kanatsumugi {

namespace {

bool isAcceptedCharacter(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') {
        return true;
    }
    if (u == u'+' || u == u'-') {
        return true;
    }
    // Backspace and the Ctrl shortcuts for copy, cut, paste and undo arrive as control
    // characters; carriage return is Enter, which is refused.
    return c.category() == QChar::Other_Control && u != u'\r';
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

int hexDigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') {
        return u - u'0';
    }
    if (u >= u'a' && u <= u'f') {
        return u - u'a' + 10;
    }
    if (u >= u'A' && u <= u'F') {
        return u - u'A' + 10;
    }
    return -1;
}

bool isDecimalDigit(QChar c) {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// Length of the hexadecimal prefix at the start of `text`, or 0 when there is none.
qsizetype hexPrefixLength(QStringView text) {
    if (text.startsWith(u'$') || text.startsWith(u'x') || text.startsWith(u'X')) {
        return 1;
    }
    if (text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        return 2;
    }
    return 0;
}

std::optional<std::int32_t> parseHex(QStringView digits) {
    if (digits.isEmpty()) {
        return std::nullopt;
    }
    std::uint64_t pattern = 0;
    for (const QChar c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        pattern = pattern * 16 + static_cast<std::uint64_t>(digit);
        if (pattern > std::numeric_limits<std::uint32_t>::max()) {
            return std::nullopt;
        }
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(pattern));
}

std::optional<std::int32_t> parseDecimal(QStringView text) {
    bool negative = false;
    if (text.startsWith(u'+') || text.startsWith(u'-')) {
        negative = text[0] == u'-';
        text = text.mid(1);
    }
    if (text.isEmpty()) {
        return std::nullopt;
    }
    // The magnitude may reach 2^31 only for a negative number.
    const std::int64_t limit =
        std::int64_t{std::numeric_limits<std::int32_t>::max()} + (negative ? 1 : 0);
    std::int64_t magnitude = 0;
    for (const QChar c : text) {
        if (!isDecimalDigit(c)) {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c.unicode() - u'0');
        if (magnitude > limit) {
            return std::nullopt;
        }
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

} // namespace

bool isAcceptedSpinInput(QStringView typed, QStringView decimalPoint) {
    if (!decimalPoint.isEmpty() && typed == decimalPoint) {
        return true;
    }
    for (const QChar c : typed) {
        const bool isSeparator = decimalPoint.size() == 1 && c == decimalPoint[0];
        if (!isSeparator && !isAcceptedCharacter(c)) {
            return false;
        }
    }
    return true;
}

std::optional<std::int32_t> parseSpinText(QStringView text) {
    qsizetype start = 0;
    while (start < text.size() && isBlank(text[start])) {
        ++start;
    }
    text = text.mid(start);
    if (const qsizetype prefix = hexPrefixLength(text); prefix > 0) {
        return parseHex(text.mid(prefix));
    }
    return parseDecimal(text);
}

} // namespace kanatsumugi
