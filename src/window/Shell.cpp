#include "Shell.h"

#include "Clock.h"
#include "DesktopSession.h"
#include "DisplayCheck.h"
#include "ErrorReport.h"
#include "Guard.h"
#include "GuardedApplication.h"
#include "PlatformStartGuard.h"
#include "QuitRequest.h"
#include "TForm1.h"
#include "TerminationSignals.h"

#include <QIcon>
#include <QPushButton>
#include <QSessionManager>

#include <cstdio>
#include <memory>
#include <optional>

namespace kanatsumugi {

namespace {

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
    if (auto* firstButton = form.findChild<QPushButton*>(QStringLiteral("Button1")))
        firstButton->setFocus(Qt::OtherFocusReason);
    form.show();
    form.activateWindow();
}

void runEventLoop() {
    if (!quitRequested())
        QApplication::exec();
}

void tearDown(TForm1& form) {
    form.hide();
    runGuarded([&] { form.FormDestroy(); });
}

int runApplication(int argc, char** argv) {
    if (const auto message = missingDisplayMessage(processEnvironment)) {
        std::fprintf(stderr, "%s\n", message->c_str());
        return 1;
    }
    // The window lays itself out for the screen's dots per inch; Qt's own device-pixel
    // scaling would scale it a second time and move it off its designed position.
    if (qEnvironmentVariableIsEmpty("QT_ENABLE_HIGHDPI_SCALING"))
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
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
