// One press of "命名！": the generation and the repaint of the whole window.
#include "generator/Clock.h"
#include "window/ErrorReport.h"
#include "window/Shell.h"
#include "window/TForm1.h"

#include <QDir>
#include <QPushButton>
#include <QTest>

using namespace kanatsumugi;

class WindowPressBenchmark : public QObject {
    Q_OBJECT

private slots:
    void pressGenerate() {
        QDir::setCurrent(QDir::tempPath());
        const SystemClock clock;
        TForm1 form(clock);
        startUp(form);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* button = form.findChild<QPushButton*>(QStringLiteral("Button1"));
        QBENCHMARK {
            button->click();
            form.repaint();
        }
    }
};

int main(int argc, char** argv) {
    GuardedApplication application(argc, argv);
    WindowPressBenchmark benchmark;
    return QTest::qExec(&benchmark, argc, argv);
}

#include "window_press.moc"
