#pragma once

#include "apperror/AppError.h"

#include <QByteArray>
#include <QString>

namespace kanatsumugi {

// A file path's bytes as a person can read them: each part of the path as UTF-8 where it is
// that, else as Shift-JIS (folders unpacked from old archives), else with its bytes escaped.
QString readablePath(const QByteArray& nativePath);

// The stock file's three messages, as the user sees them (before the shell adds its ".").
// `path` is the stock file's path exactly as built.
AppError stockOpenError(const QString& path);
AppError stockCreateError(const QString& path);
AppError stockWriteError();

// The message for a file or lock that could not be made or opened for writing: a full disk
// or quota, or a file-size limit, is the write error; any other cause the create error.
AppError stockErrorOfCause(int error, const QString& path);

} // namespace kanatsumugi
