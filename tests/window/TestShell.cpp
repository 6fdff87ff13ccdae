#include "RecordedErrorBoxes.h"
#include "apperror/AppError.h"
#include "stock/NameStock.h"
#include "support/FixedClock.h"
#include "window/ErrorReport.h"
#include "window/LayoutScaling.h"
#include "window/Shell.h"
#include "window/TForm1.h"
#include "window/TerminationSignals.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using namespace kanatsumugi;

namespace {

// An object whose event handler fails, as a handler of the program may.
class FailingObject : public QObject {
public:
    int deliveries = 0;

protected:
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User) {
            return QObject::event(event);
        }
        if (++deliveries == 3) {
            throw 42;
        }
        throw AppError("ファイル /x/今まで名付けた名前.txt を作成できません");
    }
};

} // namespace

class TestShell : public QObject {
    Q_OBJECT

private slots:
    void appendsAFullStopByShiftJisOrder_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "disk full"
                                << "disk full.";
        QTest::newRow("digit") << "error 5"
                               << "error 5.";
        QTest::newRow("slash, just above '.'") << "a/"
                                               << "a/.";
        QTest::newRow("full stop") << "done."
                                   << "done.";
        QTest::newRow("exclamation") << "stop!"
                                     << "stop!";
        QTest::newRow("parenthesis") << "(x)"
                                     << "(x)";
        QTest::newRow("hyphen") << "x-"
                                << "x-";
        QTest::newRow("space") << "x "
                               << "x ";
        QTest::newRow("line break") << "x\n"
                                    << "x\n";
        QTest::newRow("double-byte") << "ストリームへの書き込みエラー"
                                     << "ストリームへの書き込みエラー.";
        QTest::newRow("half-width kana") << "ｱ"
                                         << "ｱ.";
        QTest::newRow("empty") << ""
                               << "";
    }
    void appendsAFullStopByShiftJisOrder() {
        QFETCH(QString, message);
        RecordedErrorBoxes boxes;
        ReportError(message);
        QCOMPARE(boxes.texts.size(), 1);
        QTEST(boxes.texts.value(0), "shown");
        QCOMPARE(boxes.captions, QStringList{QStringLiteral("カナツムギ")});
    }

    void errorsInEventsAreReportedAndTheLoopGoesOn() {
        FailingObject target;
        RecordedErrorBoxes boxes;
        for (int event = 0; event < 3; ++event) {
            QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
        }
        QCoreApplication::processEvents();
        QCOMPARE(target.deliveries, 3);
        QCOMPARE(boxes.texts.size(), 3);
        QCOMPARE(boxes.texts.at(1),
                 QStringLiteral("ファイル /x/今まで名付けた名前.txt を作成できません."));
        QCOMPARE(boxes.texts.at(2), QString());
    }

    void reportingReleasesTheMouseAndRestoresTheFocus() {
        QWidget window;
        auto* button = new QPushButton(QStringLiteral("命名！"), &window);
        auto* elsewhere = new QLineEdit(&window);
        elsewhere->move(0, 40);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::mousePress(button, Qt::LeftButton);
        QVERIFY(button->isDown());
        QCOMPARE(QApplication::focusWidget(), button);
        RecordedErrorBoxes boxes([&] { elsewhere->setFocus(); });
        ReportError(QStringLiteral("x"));
        QVERIFY(!button->isDown());
        QCOMPARE(QApplication::focusWidget(), button);
    }

    // Needs a file this process cannot read: the test runs without root rights.
    void unreadableStockIsReportedBeforeTheWindowAndNamesStillCome() {
        if (::geteuid() == 0) {
            QSKIP("root reads every file; run through setpriv");
        }
        QTemporaryDir directory;
        QVERIFY(QDir::setCurrent(directory.path()));
        const QString path = QDir::current().filePath(QString::fromUtf8(StockList::kFileName));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\x83\x41\r\n");
        file.close();
        QVERIFY(file.setPermissions({}));

        test::FixedClock clock({12, 34, 56, 789});
        TForm1 form(clock);
        QList<bool> visibleDuringBox;
        RecordedErrorBoxes boxes([&] { visibleDuringBox.append(form.isVisible()); });
        startUp(form);
        QCOMPARE(visibleDuringBox, QList<bool>{false});
        QCOMPARE(boxes.parents, QList<QWidget*>{nullptr});
        QCOMPARE(boxes.texts.value(0), QStringLiteral("ファイル %1 は開けません.").arg(path));
        QVERIFY(form.isVisible());
        QCOMPARE(form.findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(),
                 QStringLiteral("チリイヂヨ"));

        QVERIFY_THROWS_EXCEPTION(AppError, form.Button2Click());
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\x83\x41\r\n"));
    }

    void terminationSignalsBecomeQuitRequests() {
        TerminationSignals termination;
        QSignalSpy requests(&termination, &TerminationSignals::terminationRequested);
        for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
            const int before = static_cast<int>(requests.count());
            ::raise(signalNumber);
            QTRY_COMPARE(requests.count(), before + 1);
        }
    }

    // Nothing leads back from a quit request: no later test may run the event loop.
    void quitRequestDuringAStartUpErrorBoxEndsTheRun() {
        QTemporaryDir directory;
        QVERIFY(QDir::setCurrent(directory.path()));
        const QString path = QDir::current().filePath(QString::fromUtf8(StockList::kFileName));
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);

        test::FixedClock clock({12, 34, 56, 789});
        TForm1 form(clock);
        // The box's own loop takes the request, as a real box's would for a signal.
        RecordedErrorBoxes boxes([] {
            postQuitRequest();
            QCoreApplication::processEvents();
        });
        startUp(form);
        QCOMPARE(boxes.texts.value(0), QStringLiteral("ファイル %1 は開けません.").arg(path));

        bool stillRunning = false;
        QTimer::singleShot(3000, [&] {
            stillRunning = true;
            QCoreApplication::exit(1);
        });
        runEventLoop();
        QVERIFY(!stillRunning);
        tearDown(form);
        QVERIFY(!form.isVisible());
    }

    void scalesEachEdgeByTheTextHeight() {
        QCOMPARE(scaledGeometry(QRect(8, 4, 121, 20), 12), QRect(8, 4, 121, 20));
        // Edges 8, 4, 129, 24 become 8.67, 4.33, 139.75, 26.
        QCOMPARE(scaledGeometry(QRect(8, 4, 121, 20), 13), QRect(9, 4, 131, 22));
        QCOMPARE(scaledSize(QSize(190, 51), 13), QSize(206, 55));
        QCOMPARE(scaledFontPixelSize(12, 96), 12);
        QCOMPARE(scaledFontPixelSize(12, 120), 15);
        QFont twin(QStringLiteral("IPAPGothic"));
        twin.setPixelSize(12);
        if (QFontInfo(twin).family() == QStringLiteral("IPAPGothic")) {
            QCOMPARE(measuredTextHeight(twin), 13);
        }
    }
};

int main(int argc, char** argv) {
    GuardedApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    TestShell test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestShell.moc"
