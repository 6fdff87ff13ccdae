#include "window/KeyboardModel.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>

namespace kanatsumugi {

namespace {

constexpr Qt::KeyboardModifiers kChordModifiers =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

} // namespace

KeyboardModel::KeyboardModel(QWidget* window)
    : QObject(window) {
    // A composite control's inner parts are in the focus chain too; only the window's
    // direct children are stops of the cycle.
    for (QWidget* control = window->nextInFocusChain(); control != window;
         control = control->nextInFocusChain()) {
        if (control->parentWidget() == window && (control->focusPolicy() & Qt::TabFocus) != 0) {
            cycle_.append(control);
        }
    }
    for (QWidget* control : cycle_) {
        if (qobject_cast<QPushButton*>(control) != nullptr ||
            qobject_cast<QCheckBox*>(control) != nullptr) {
            control->installEventFilter(this);
        }
    }
}

bool KeyboardModel::eventFilter(QObject* watched, QEvent* event) {
    auto* control = static_cast<QWidget*>(watched);
    auto* button = qobject_cast<QPushButton*>(control);
    switch (event->type()) {
    case QEvent::FocusIn:
        if (button != nullptr) {
            button->setDefault(true);
        }
        return false;
    case QEvent::FocusOut:
        if (button != nullptr) {
            button->setDefault(false);
        }
        return false;
    case QEvent::KeyPress:
        return handleKey(control, static_cast<const QKeyEvent&>(*event));
    default:
        return false;
    }
}

bool KeyboardModel::handleKey(QWidget* control, const QKeyEvent& key) {
    const bool chord = (key.modifiers() & kChordModifiers) != 0;
    switch (key.key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (chord) {
            return false;
        }
        moveFocus(control, key.key() == Qt::Key_Right || key.key() == Qt::Key_Down);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A check box takes Enter too, so that it never reaches anything else.
        if (auto* button = qobject_cast<QPushButton*>(control); button != nullptr && !chord) {
            button->click();
        }
        return true;
    default:
        return false;
    }
}

void KeyboardModel::moveFocus(QWidget* from, bool forward) {
    const qsizetype count = cycle_.size();
    const qsizetype index = cycle_.indexOf(from);
    const qsizetype next = (index + (forward ? 1 : count - 1)) % count;
    // Tab reasons, so that an edit box reached this way selects its whole text.
    cycle_.at(next)->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

} // namespace kanatsumugi
