#pragma once

#include <QString>

#include <functional>

namespace kanatsumugi {

// The caption of every error box and the application's title.
inline const QString kApplicationTitle = QStringLiteral("カナツムギ");

// The text an error box shows for `message`: one "." appended when the message is
// not empty and its last character sorts above "." in Shift-JIS byte order
// (every double-byte character does).
QString errorBoxText(const QString& message);

// Shows one error box (caption, text; stop icon, one OK button) and returns when it
// is dismissed. Replaceable so that tests never wait for a person.
using ErrorBoxHandler = std::function<void(const QString& caption, const QString& text)>;
void setErrorBoxHandler(ErrorBoxHandler handler);

// The shell's one error reporter: releases any mouse capture, shows the error box,
// then gives the activation and the keyboard focus back to where they were.
void ReportError(const QString& message);

} // namespace kanatsumugi
