#pragma once

#include <QByteArray>
#include <QString>

namespace kanatsumugi {

// Replaces the file at `path` as a whole: a temporary file in the same folder is written,
// flushed to disk and renamed over it, then the folder is flushed. A link at `path` stays a
// link and its target is replaced; an existing file's permission bits are kept.
// On failure the file is as it was, no temporary file is left, and AppError carries the
// create error (with `path`) or the write error.
void replaceFileContents(const QString& path, const QByteArray& bytes);

} // namespace kanatsumugi
