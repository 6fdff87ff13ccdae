#include "window/Shell.h"

#include "generator/Clock.h"
#include "window/DesktopSession.h"
#include "window/ErrorReport.h"
#include "window/TForm1.h"
#include "window/TerminationSignals.h"

#include <QIcon>
#include <QMetaObject>
#include <QPushButton>
#include <QSessionManager>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>

namespace kanatsumugi {

namespace {

bool quitRequestMade = false;

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// While the application object starts its window system, turns Qt's multi-line report
// and abort for a display it cannot open, or none named at all, into one line and exit
// code 1. The window system's libraries may also write to stderr themselves (libwayland
// does), so stderr is held back meanwhile and passed on only when the start succeeds.
class PlatformStartGuard {
public:
    PlatformStartGuard() {
        previousHandler = qInstallMessageHandler(reportPlatformFailure);
        std::fflush(stderr);
        // With stderr closed there is nothing to hold back, and the file would take its place.
        if (::fcntl(STDERR_FILENO, F_GETFD) == -1) {
            return;
        }
        held_ = std::tmpfile();
        realStderr = held_ == nullptr ? -1 : ::dup(STDERR_FILENO);
        if (realStderr >= 0) {
            ::dup2(::fileno(held_), STDERR_FILENO);
        }
    }

    ~PlatformStartGuard() {
        qInstallMessageHandler(previousHandler);
        if (realStderr >= 0) {
            std::fflush(stderr);
            ::dup2(realStderr, STDERR_FILENO);
            ::close(realStderr);
            realStderr = -1;
            std::rewind(held_);
            std::array<char, 4096> buffer{};
            std::size_t read = 0;
            while ((read = std::fread(buffer.data(), 1, buffer.size(), held_)) > 0) {
                std::fwrite(buffer.data(), 1, read, stderr);
            }
        }
        if (held_ != nullptr) {
            std::fclose(held_);
        }
    }

    PlatformStartGuard(const PlatformStartGuard&) = delete;
    PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;

private:
    static void reportPlatformFailure(QtMsgType type, const QMessageLogContext& context,
                                      const QString& message) {
        if (type == QtFatalMsg) {
            // The display named is the one that failed: a Wayland platform the user chose
            // never tried the X display.
            const bool waylandChosen = environmentValue("QT_QPA_PLATFORM").rfind("wayland", 0) == 0;
            std::string display = waylandChosen ? std::string() : environmentValue("DISPLAY");
            if (display.empty()) {
                display = environmentValue("WAYLAND_DISPLAY");
            }
            const std::string japanese = display.empty() ? std::string() : " " + display + " ";
            const std::string english = display.empty() ? std::string() : " " + display;
            ::dprintf(realStderr >= 0 ? realStderr : STDERR_FILENO,
                      "カナツムギ: 画面%sを開けません / cannot open display%s\n", japanese.c_str(),
                      english.c_str());
            std::_Exit(1);
        }
        // The window system's own warnings on the way to that failure say nothing more.
        if (context.category != nullptr && std::strncmp(context.category, "qt.qpa", 6) == 0) {
            return;
        }
        if (previousHandler != nullptr) {
            previousHandler(type, context, message);
        }
    }

    static inline QtMessageHandler previousHandler = nullptr;
    static inline int realStderr = -1;
    std::FILE* held_ = nullptr;
};

void setApplicationTitle() {
    QApplication::setApplicationName(kApplicationTitle);
    QApplication::setApplicationDisplayName(kApplicationTitle);
}

// Every window without an icon of its own, the main window too, takes the application's;
// the desktop file name lets a task bar match the running program to its launcher entry.
void setApplicationIcon() {
    QApplication::setWindowIcon(
        QIcon(QStringLiteral(":/icons/io.github.kanatsumugi.Kanatsumugi.png")));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kanatsumugi.Kanatsumugi"));
}

// A log-off or shutdown goes ahead without asking: nothing is saved, no request is
// cancelled, and the session is told not to restart the program. The session's end
// then arrives as a quit request or a signal.
void agreeToSessionEnd(QApplication& application) {
    const auto agree = [](QSessionManager& manager) {
        manager.setRestartHint(QSessionManager::RestartNever);
    };
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &application, agree);
    QObject::connect(&application, &QGuiApplication::saveStateRequest, &application, agree);
}

} // namespace

void startUp(TForm1& form) {
    runGuarded([&] { form.FormCreate(); });
    runGuarded([&] { form.FormShow(); });
    if (auto* firstButton = form.findChild<QPushButton*>(QStringLiteral("Button1"))) {
        firstButton->setFocus(Qt::OtherFocusReason);
    }
    form.show();
    form.activateWindow();
}

void postQuitRequest() {
    quitRequestMade = true;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

bool quitRequested() {
    return quitRequestMade;
}

void runEventLoop() {
    if (!quitRequested()) {
        QApplication::exec();
    }
}

void tearDown(TForm1& form) {
    form.hide();
    runGuarded([&] { form.FormDestroy(); });
}

int runApplication(int argc, char** argv) {
    // The window lays itself out for the screen's dots per inch; Qt's own device-pixel
    // scaling would scale it a second time and move it off its designed position.
    if (qEnvironmentVariableIsEmpty("QT_ENABLE_HIGHDPI_SCALING")) {
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    }
    // The program takes no arguments; Qt is not handed any either.
    int noArgumentCount = 1;
    char fallbackName[] = "kanatsumugi";
    char* programOnly[] = {argc > 0 ? argv[0] : fallbackName, nullptr};
    preferX11WhenBothAvailable();
    auto platformStart = std::make_optional<PlatformStartGuard>();
    GuardedApplication application(noArgumentCount, programOnly);
    platformStart.reset();
    installQtJapanese(application);
    // Title and icon before any window.
    setApplicationTitle();
    setApplicationIcon();
    // Only the quit request ends the loop; an error box closing before the window
    // is shown must not.
    QApplication::setQuitOnLastWindowClosed(false);
    agreeToSessionEnd(application);

    TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::terminationRequested, &application,
                     &postQuitRequest);

    const SystemClock clock;
    auto form = std::make_unique<TForm1>(clock);
    startUp(*form);
    runEventLoop();
    tearDown(*form);
    form.reset();
    return 0;
}

} // namespace kanatsumugi
