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

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

namespace kanatsumugi {

namespace {

bool quitRequestMade = false;

// While the application object starts its window system, everything Qt and the window
// system's libraries say goes to stderr as it comes: the plugin that failed and the ones
// there are, and any debug output asked for. Where a display could not be opened, the
// program adds one line of its own naming it; a failed start exits with code 1.
class PlatformStartWatch {
public:
    PlatformStartWatch() { previousHandler = qInstallMessageHandler(watch); }
    ~PlatformStartWatch() { qInstallMessageHandler(previousHandler); }

    PlatformStartWatch(const PlatformStartWatch&) = delete;
    PlatformStartWatch& operator=(const PlatformStartWatch&) = delete;

private:
    static void watch(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        previousHandler(type, context, message);
        noteFailedDisplay(QLatin1String(context.category), message);
        if (type == QtFatalMsg) {
            if (!failedDisplays.isEmpty()) {
                const QString line = QStringLiteral("カナツムギ: 画面（%1）を開けません\n")
                                         .arg(failedDisplays.join(QStringLiteral("、")));
                std::fputs(line.toUtf8().constData(), stderr);
            }
            std::fflush(stderr);
            std::_Exit(1);
        }
    }

    static void noteFailedDisplay(QLatin1String category, const QString& message) {
        if (category == QLatin1String("qt.qpa.xcb") &&
            message.startsWith(QLatin1String("could not connect to display"))) {
            const QString name = qEnvironmentVariable("DISPLAY");
            failedDisplays.append(name.isEmpty() ? QStringLiteral("DISPLAY が未設定") : name);
        } else if (message.startsWith(QLatin1String("Failed to create wl_display"))) {
            failedDisplays.append(
                qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0")));
        }
    }

    static inline QtMessageHandler previousHandler = nullptr;
    static inline QStringList failedDisplays;
};

// The name is the ASCII one of the launcher entry and the window class; the title is
// what people read.
void setApplicationTitle() {
    QApplication::setApplicationName(QStringLiteral("kanatsumugi"));
    QApplication::setApplicationDisplayName(kApplicationTitle);
}

// Every window without an icon of its own, the main window too, takes the application's,
// in the sizes task bars and switchers ask for; the desktop file name lets a task bar match
// the running program to its launcher entry. On Wayland a window carries no icon, and Qt's
// own frame would draw it in the title bar, where the window has none.
void setApplicationIcon() {
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kanatsumugi.Kanatsumugi"));
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        return;
    }
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128}) {
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
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
    auto platformStart = std::make_optional<PlatformStartWatch>();
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
