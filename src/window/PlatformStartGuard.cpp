#include "window/PlatformStartGuard.h"

#include "window/DisplayCheck.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kanatsumugi {

namespace {

QtMessageHandler previousHandler = nullptr;

void reportPlatformFailure(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
    if (type == QtFatalMsg) {
        std::string display = processEnvironment("DISPLAY");
        if (display.empty())
            display = processEnvironment("WAYLAND_DISPLAY");
        const std::string japanese = display.empty() ? std::string() : " " + display + " ";
        const std::string english = display.empty() ? std::string() : " " + display;
        std::fprintf(stderr, "カナツムギ: 画面%sを開けません / cannot open display%s\n",
                     japanese.c_str(), english.c_str());
        std::_Exit(1);
    }
    // The window system's own warnings on the way to that failure say nothing more.
    if (context.category != nullptr && std::strncmp(context.category, "qt.qpa", 6) == 0)
        return;
    if (previousHandler != nullptr)
        previousHandler(type, context, message);
}

} // namespace

PlatformStartGuard::PlatformStartGuard() {
    previousHandler = qInstallMessageHandler(reportPlatformFailure);
}

PlatformStartGuard::~PlatformStartGuard() {
    qInstallMessageHandler(previousHandler);
}

} // namespace kanatsumugi
