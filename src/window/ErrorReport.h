#pragma once

#include <QApplication>
#include <QString>

#include <functional>

namespace kanatsumugi {

// How an error reaches the user: a guard catches it where a step of the program
// failed and ReportError shows it in a box; then the program goes on.

// The caption of every error box and the application's title.
inline const QString kApplicationTitle = QStringLiteral("カナツムギ");

// The text an error box shows for `message`: one "." appended when the message is
// not empty and its last character sorts above "." in Shift-JIS byte order
// (every double-byte character does).
QString errorBoxText(const QString& message);

// Shows one error box (caption, text; stop icon, one OK button) over `parent`, the shown
// main window or null before there is one, and returns when it is dismissed. Replaceable
// so that tests never wait for a person.
using ErrorBoxHandler =
    std::function<void(QWidget* parent, const QString& caption, const QString& text)>;
void setErrorBoxHandler(ErrorBoxHandler handler);

// The shell's one error reporter: releases any mouse capture, shows the error box,
// then gives the activation and the keyboard focus back to where they were.
void ReportError(const QString& message);

// Runs one guarded step. An error escaping it is shown with ReportError and goes no
// further; returns false when that happened.
bool runGuarded(const std::function<void()>& step);

// The application object: every event delivered to a window runs under a guard, so
// an error in a handler is reported and the event loop goes on.
class GuardedApplication : public QApplication {
    Q_OBJECT

public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace kanatsumugi
