#pragma once

#include <QLineEdit>

namespace kanatsumugi {

// The text area of the spin box: filters typed characters with the alert sound, turns
// Up and Down into step requests, selects all on keyboard entry and asks for a commit
// when the focus moves to another control of the window.
class SpinLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit SpinLineEdit(QWidget* parent = nullptr);

signals:
    // +1 for up, -1 for down.
    void stepRequested(int direction);
    // The focus went to another control; not sent when the whole window loses the focus
    // or a pop-up menu opens.
    void focusLeftForControl();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void refuse(QKeyEvent* event);
    void repaintBorder();
};

} // namespace kanatsumugi
