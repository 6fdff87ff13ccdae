#pragma once

#include <QList>
#include <QObject>

class QKeyEvent;
class QWidget;

namespace kanatsumugi {

// The window's keys beyond what Qt's controls do themselves: arrow keys on the push
// buttons and the check box move the focus along the cycle without pressing; Enter
// presses only a focused push button; a push button is drawn as the default button
// exactly while it has the focus.
class KeyboardModel : public QObject {
    Q_OBJECT

public:
    // The cycle is the window's own controls in its tab order, as its layout sets it; the
    // filter goes on their push buttons and check boxes.
    explicit KeyboardModel(QWidget* window);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handleKey(QWidget* control, const QKeyEvent& key);
    void moveFocus(QWidget* from, bool forward);

    QList<QWidget*> cycle_;
};

} // namespace kanatsumugi
