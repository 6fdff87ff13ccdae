#include "window/DesktopSession.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace kanatsumugi {

bool installQtJapanese(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

void preferX11WhenBothAvailable() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("DISPLAY") ||
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return;
    }
    // Wayland stays the fallback for an X display that turns out to be unreachable.
    qputenv("QT_QPA_PLATFORM", "xcb;wayland");
}

} // namespace kanatsumugi
