#include "stock/StockErrors.h"

#include <QStringDecoder>

#include <cerrno>
#include <string>

namespace kanatsumugi {

namespace {

AppError withPath(const char* before, const QString& path, const char* after) {
    return AppError(std::string(before) + path.toUtf8().toStdString() + after);
}

// Decodes all of `bytes`, or nothing when any of them is not valid in `encoding`.
bool decodesCleanly(const char* encoding, QByteArrayView bytes, QString& text) {
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString readablePart(QByteArrayView part) {
    QString text;
    if (decodesCleanly("UTF-8", part, text) || decodesCleanly("windows-31j", part, text)) {
        return text;
    }
    text.clear();
    for (const char byte : part) {
        const auto value = static_cast<unsigned char>(byte);
        text += value < 0x80 ? QString(QLatin1Char(byte))
                             : QStringLiteral("\\x%1").arg(value, 2, 16, QLatin1Char('0'));
    }
    return text;
}

} // namespace

QString readablePath(const QByteArray& nativePath) {
    QString path;
    qsizetype start = 0;
    for (qsizetype slash = nativePath.indexOf('/'); slash >= 0;
         slash = nativePath.indexOf('/', start)) {
        path += readablePart(QByteArrayView(nativePath).sliced(start, slash - start)) +
                QLatin1Char('/');
        start = slash + 1;
    }
    return path + readablePart(QByteArrayView(nativePath).sliced(start));
}

AppError stockOpenError(const QString& path) {
    return withPath("ファイル ", path, " は開けません");
}

AppError stockCreateError(const QString& path) {
    return withPath("ファイル ", path, " を作成できません");
}

AppError stockWriteError() {
    return AppError("ストリームへの書き込みエラー");
}

AppError stockErrorOfCause(int error, const QString& path) {
    if (error == ENOSPC || error == EDQUOT || error == EFBIG) {
        return stockWriteError();
    }
    return stockCreateError(path);
}

} // namespace kanatsumugi
