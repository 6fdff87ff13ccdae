#include "stock/StockErrors.h"

#include <string>

namespace kanatsumugi {

namespace {

AppError withPath(const char* before, const QString& path, const char* after) {
    return AppError(std::string(before) + path.toUtf8().toStdString() + after);
}

} // namespace

AppError stockOpenError(const QString& path) {
    return withPath("ファイル ", path, " は開けません");
}

AppError stockCreateError(const QString& path) {
    return withPath("ファイル ", path, " を作成できません");
}

AppError stockWriteError() {
    return AppError("ストリームへの書き込みエラー");
}

} // namespace kanatsumugi
