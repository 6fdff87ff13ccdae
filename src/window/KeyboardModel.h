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
    // `cycle` is the focus order; the filter goes on its push buttons and check boxes.
    KeyboardModel(QList<QWidget*> cycle, QObject* parent);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handleKey(QWidget* control, const QKeyEvent& key);
    void moveFocus(QWidget* from, bool forward);

    QList<QWidget*> cycle_;
};

} // namespace kanatsumugi
