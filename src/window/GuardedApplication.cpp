#include "window/GuardedApplication.h"

#include "window/Guard.h"

namespace kanatsumugi {

GuardedApplication::GuardedApplication(int& argc, char** argv)
    : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = true;
    runGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace kanatsumugi
