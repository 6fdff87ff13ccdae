#include "stock/ShiftJisText.h"

#include "apperror/AppError.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <utility>

namespace kanatsumugi {

namespace {

// ICU's windows-31j is code page 932 itself: ～ and － map to 81 60 and 81 7C.
constexpr const char* kCodePage932 = "windows-31j";

// Shift_JIS proper (JIS X 0208) and code page 932 give a few characters different code
// points. Input methods on Linux produce the JIS ones, such as 〜 U+301C; they are stored
// as the code page 932 character with the same bytes rather than refused.
QString withCodePage932Forms(QString text) {
    static constexpr std::pair<char16_t, char16_t> kJisToCodePage932[] = {
        {u'\u301C', u'\uFF5E'}, // 〜 wave dash: 81 60
        {u'\u2016', u'\u2225'}, // ‖ double vertical line: 81 61
        {u'\u2212', u'\uFF0D'}, // − minus sign: 81 7C
        {u'\u2014', u'\u2015'}, // — em dash: 81 5C
        {u'\u00A2', u'\uFFE0'}, // ¢: 81 91
        {u'\u00A3', u'\uFFE1'}, // £: 81 92
        {u'\u00AC', u'\uFFE2'}, // ¬: 81 CA
    };
    for (const auto& [jis, codePage932] : kJisToCodePage932) {
        text.replace(QChar(jis), QChar(codePage932));
    }
    return text;
}

bool survivesRoundTrip(const QString& character) {
    QStringEncoder encoder(kCodePage932);
    const QByteArray bytes = encoder.encode(character);
    if (encoder.hasError()) {
        return false;
    }
    return fromShiftJis(bytes) == character;
}

// The first character of `text` that code page 932 cannot hold, or an empty
// string when every character converts and converts back unchanged.
QString firstCharacterOutsideShiftJis(const QString& text) {
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype width = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        QString character = text.mid(i, width);
        if (!survivesRoundTrip(character)) {
            return character;
        }
        i += width;
    }
    return {};
}

} // namespace

QString fromShiftJis(const QByteArray& shiftJis) {
    QStringDecoder decoder(kCodePage932);
    return decoder.decode(shiftJis);
}

QString oneLine(const QString& text) {
    QString line = text;
    for (const QChar breakCharacter : {u'\r', u'\n', u'\u2028', u'\u2029', u'\u0085', u'\0'}) {
        line.replace(breakCharacter, u' ');
    }
    return line;
}

QByteArray toShiftJisForStock(const QString& typed) {
    const QString text = withCodePage932Forms(typed);
    const QString offending = firstCharacterOutsideShiftJis(text);
    if (!offending.isEmpty()) {
        throw AppError(QStringLiteral("「%1」は Shift_JIS で保存できないため、ストックできません")
                           .arg(offending)
                           .toStdString());
    }
    QStringEncoder encoder(kCodePage932);
    return encoder.encode(text);
}

} // namespace kanatsumugi
