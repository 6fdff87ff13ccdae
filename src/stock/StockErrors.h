#pragma once

#include "apperror/AppError.h"

#include <QString>

namespace kanatsumugi {

// The stock file's three messages, as the user sees them (before the shell adds its ".").
// `path` is the stock file's path exactly as built.
AppError stockOpenError(const QString& path);
AppError stockCreateError(const QString& path);
AppError stockWriteError();

} // namespace kanatsumugi
