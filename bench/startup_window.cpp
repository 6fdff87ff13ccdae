// The program's own start-up, step for step as runApplication does it, up to the main
// window exposed with its first name; then left the way the baseline leaves.
#include "Clock.h"
#include "GuardedApplication.h"
#include "Shell.h"
#include "TForm1.h"
#include "TerminationSignals.h"
#include "X11DisplayProbe.h"

#include <QWindow>

#include <optional>

using namespace kanatsumugi;

int main(int argc, char** argv) {
    auto displayProbe = std::make_optional<X11DisplayProbe>();
    if (displayProbe->failureMessage())
        return 1;
    GuardedApplication application(argc, argv);
    displayProbe.reset();
    QApplication::setApplicationName(QStringLiteral("カナツムギ"));
    QApplication::setApplicationDisplayName(QStringLiteral("カナツムギ"));
    QApplication::setQuitOnLastWindowClosed(false);
    const TerminationSignals terminationSignals;

    const SystemClock clock;
    TForm1 form(clock);
    startUp(form);
    while (form.windowHandle() == nullptr || !form.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    tearDown(form);
    return 0;
}
