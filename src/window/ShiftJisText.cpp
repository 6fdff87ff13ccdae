#include "ShiftJisText.h"

#include "AppError.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace kanatsumugi {

namespace {

// ICU's windows-31j is code page 932 itself: ～ and － map to 81 60 and 81 7C.
constexpr const char* kCodePage932 = "windows-31j";

bool survivesRoundTrip(const QString& character) {
    QStringEncoder encoder(kCodePage932);
    const QByteArray bytes = encoder.encode(character);
    if (encoder.hasError())
        return false;
    return fromShiftJis(bytes) == character;
}

} // namespace

QString fromShiftJis(const QByteArray& shiftJis) {
    QStringDecoder decoder(kCodePage932);
    return decoder.decode(shiftJis);
}

QString firstCharacterOutsideShiftJis(const QString& text) {
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype width = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString character = text.mid(i, width);
        if (!survivesRoundTrip(character))
            return character;
        i += width;
    }
    return {};
}

QByteArray toShiftJisForStock(const QString& text) {
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
