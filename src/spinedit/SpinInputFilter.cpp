#include "spinedit/SpinInputFilter.h"

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

} // namespace kanatsumugi
