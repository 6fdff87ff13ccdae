#include "PlatformStartGuard.h"

#include "DisplayCheck.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace kanatsumugi {

namespace {

QtMessageHandler previousHandler = nullptr;
// The real standard error while the window system's own libraries write theirs aside:
// a Wayland client library prints its complaints itself, past Qt's message handler.
int realStandardError = -1;
int heldStandardError = -1;

void holdStandardError() {
    std::fflush(stderr);
    heldStandardError = memfd_create("kanatsumugi-platform-start", MFD_CLOEXEC);
    realStandardError = heldStandardError < 0 ? -1 : dup(STDERR_FILENO);
    if (realStandardError < 0 || dup2(heldStandardError, STDERR_FILENO) < 0) {
        if (heldStandardError >= 0) {
            close(heldStandardError);
        }
        if (realStandardError >= 0) {
            close(realStandardError);
        }
        heldStandardError = realStandardError = -1;
    }
}

// Puts the real standard error back; what was written aside follows it unless dropped.
void releaseStandardError(bool keepHeldText) {
    if (realStandardError < 0) {
        return;
    }
    std::fflush(stderr);
    dup2(realStandardError, STDERR_FILENO);
    close(realStandardError);
    if (keepHeldText) {
        char buffer[4096];
        ssize_t count = 0;
        off_t offset = 0;
        while ((count = pread(heldStandardError, buffer, sizeof buffer, offset)) > 0) {
            offset += count;
            if (write(STDERR_FILENO, buffer, static_cast<std::size_t>(count)) != count) {
                break;
            }
        }
    }
    close(heldStandardError);
    heldStandardError = realStandardError = -1;
}

void reportPlatformFailure(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
    if (type == QtFatalMsg) {
        releaseStandardError(false);
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
    holdStandardError();
}

PlatformStartGuard::~PlatformStartGuard() {
    releaseStandardError(true);
    qInstallMessageHandler(previousHandler);
}

} // namespace kanatsumugi
