#include "window/ErrorReport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <exception>

namespace kanatsumugi {

namespace {

ErrorBoxHandler& errorBoxHandler() {
    static ErrorBoxHandler handler;
    return handler;
}

void showPlatformErrorBox(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

// The program's one window once it is shown; the box then opens over it.
QWidget* shownMainWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowType() == Qt::Window) {
            return window;
        }
    }
    return nullptr;
}

// A button held down with the mouse would otherwise stay drawn pressed and keep
// the pointer after the box has gone.
void releaseMouseCapture() {
    if (QWidget* grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    for (QWidget* widget : QApplication::allWidgets()) {
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if (button != nullptr && button->isDown()) {
            button->setDown(false);
        }
    }
}

} // namespace

QString errorBoxText(const QString& message) {
    // Code page 932 keeps ASCII as is and gives every other character a lead byte
    // of 0x81 or more, so comparing code points with '.' matches the byte order.
    if (!message.isEmpty() && message.back().unicode() > u'.') {
        return message + u'.';
    }
    return message;
}

void setErrorBoxHandler(ErrorBoxHandler handler) {
    errorBoxHandler() = std::move(handler);
}

void ReportError(const QString& message) {
    releaseMouseCapture();
    const QPointer<QWidget> activeWindow = QApplication::activeWindow();
    const QPointer<QWidget> focusWidget = QApplication::focusWidget();

    const QString text = errorBoxText(message);
    QWidget* parent = shownMainWindow();
    if (errorBoxHandler()) {
        errorBoxHandler()(parent, kApplicationTitle, text);
    } else {
        showPlatformErrorBox(parent, kApplicationTitle, text);
    }

    if (activeWindow) {
        activeWindow->activateWindow();
    }
    if (focusWidget) {
        focusWidget->setFocus(Qt::OtherFocusReason);
    }
}

bool runGuarded(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const std::exception& error) {
        ReportError(QString::fromUtf8(error.what()));
    } catch (...) {
        // Every error of the program is an AppError; anything else still must not
        // cross the event loop, and has no message of its own to show.
        ReportError(QString());
    }
    return false;
}

GuardedApplication::GuardedApplication(int& argc, char** argv)
    : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = true;
    runGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace kanatsumugi
