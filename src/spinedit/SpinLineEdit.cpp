#include "spinedit/SpinLineEdit.h"

#include "spinedit/AlertSound.h"
#include "spinedit/SpinText.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>

namespace kanatsumugi {

namespace {

bool isAccepted(QStringView typed) {
    return isAcceptedSpinInput(typed, QLocale().decimalPoint());
}

// Ctrl chords are the editing shortcuts (copy, cut, paste, undo), for which the line edit
// inserts no text. With Alt or Meta held it would insert the key's text, so those chords
// are filtered like plain typing.
bool isEditingShortcut(const QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    return modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier) &&
           !modifiers.testFlag(Qt::MetaModifier);
}

bool isKeyboardEntry(Qt::FocusReason reason) {
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::ShortcutFocusReason;
}

bool leavesForAnotherControl(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

SpinLineEdit::SpinLineEdit(QWidget* parent)
    : QLineEdit(parent) {}

void SpinLineEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        emit stepRequested(+1);
        event->accept();
        return;
    case Qt::Key_Down:
        emit stepRequested(-1);
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        refuse(event);
        return;
    case Qt::Key_Space:
        if (!isEditingShortcut(event)) {
            refuse(event);
            return;
        }
        break;
    default:
        break;
    }
    // Ctrl+M arrives as a carriage return, which is refused however it is typed.
    const bool refused =
        isEditingShortcut(event) ? event->text().contains(u'\r') : !isAccepted(event->text());
    if (refused) {
        refuse(event);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// Input-method text is judged character by character, as if each had been typed.
void SpinLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString committed = event->commitString();
    QString kept;
    for (const QChar c : committed) {
        if (isAccepted(QStringView(&c, 1))) {
            kept.append(c);
        }
    }
    if (kept.size() == committed.size()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    playAlertSound();
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(kept);
    QLineEdit::inputMethodEvent(&filtered);
}

void SpinLineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    repaintBorder();
    if (isKeyboardEntry(event->reason())) {
        selectAll();
    }
}

void SpinLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    repaintBorder();
    if (leavesForAnotherControl(event->reason())) {
        emit focusLeftForControl();
    }
}

// The spin box holds the focus and takes no click focus of its own (see TSpinEdit), so a
// press into the text gives it the focus here, before the caret is placed.
void SpinLineEdit::mousePressEvent(QMouseEvent* event) {
    if (!hasFocus() && parentWidget() != nullptr) {
        parentWidget()->setFocus(Qt::MouseFocusReason);
    }
    QLineEdit::mousePressEvent(event);
}

// The spin box draws the border around this text area, and the style may show the focus in it.
void SpinLineEdit::repaintBorder() {
    if (parentWidget() != nullptr) {
        parentWidget()->update();
    }
}

void SpinLineEdit::refuse(QKeyEvent* event) {
    event->accept();
    playAlertSound();
}

} // namespace kanatsumugi
