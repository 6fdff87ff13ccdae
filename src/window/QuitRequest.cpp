#include "QuitRequest.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace kanatsumugi {

void postQuitRequest() {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

} // namespace kanatsumugi
