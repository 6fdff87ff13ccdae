#pragma once

#include <QApplication>

namespace kanatsumugi {

// The application object: every event delivered to a window runs under a guard, so
// an error in a handler is reported and the event loop goes on.
class GuardedApplication : public QApplication {
    Q_OBJECT

public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace kanatsumugi
