#include "window/QuitRequest.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace kanatsumugi {

namespace {
bool requested = false;
} // namespace

void postQuitRequest() {
    requested = true;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

bool quitRequested() {
    return requested;
}

} // namespace kanatsumugi
