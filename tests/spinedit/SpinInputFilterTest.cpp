#include "spinedit/SpinInputFilter.h"

#include <QTest>

using kanatsumugi::isAcceptedSpinInput;

class SpinInputFilterTest : public QObject {
    Q_OBJECT

private slots:
    void judgesTypedText_data();
    void judgesTypedText();
};

void SpinInputFilterTest::judgesTypedText_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("decimalPoint");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("each digit") << "0123456789"
                                << "." << true;
    QTest::newRow("signs in any order") << "+-+"
                                        << "." << true;
    QTest::newRow("point where it separates") << "."
                                              << "." << true;
    QTest::newRow("comma where it separates") << ","
                                              << "," << true;
    QTest::newRow("point where comma separates") << "."
                                                 << "," << false;
    QTest::newRow("comma where point separates") << ","
                                                 << "." << false;
    QTest::newRow("backspace") << "\b"
                               << "." << true;
    QTest::newRow("delete") << "\x7f"
                            << "." << true;
    QTest::newRow("ctrl+c") << "\x03"
                            << "." << true;
    QTest::newRow("ctrl+v") << "\x16"
                            << "." << true;
    QTest::newRow("ctrl+x") << "\x18"
                            << "." << true;
    QTest::newRow("ctrl+z") << "\x1a"
                            << "." << true;
    QTest::newRow("escape") << "\x1b"
                            << "." << true;
    QTest::newRow("nothing") << ""
                             << "." << true;

    QTest::newRow("carriage return") << "\r"
                                     << "." << false;
    QTest::newRow("space") << " "
                           << "." << false;
    QTest::newRow("letter") << "a"
                            << "." << false;
    QTest::newRow("dollar") << "$"
                            << "." << false;
    QTest::newRow("full-width digit") << QString::fromUtf8("５") << "." << false;
    QTest::newRow("katakana") << QString::fromUtf8("カ") << "." << false;
    QTest::newRow("digit then letter") << "5x"
                                       << "." << false;
    QTest::newRow("arabic separator only where it is the locale's")
        << QString(QChar(0x066B)) << QString(QChar(0x066B)) << true;
}

void SpinInputFilterTest::judgesTypedText() {
    QFETCH(QString, typed);
    QFETCH(QString, decimalPoint);
    QFETCH(bool, accepted);

    QCOMPARE(isAcceptedSpinInput(typed, decimalPoint), accepted);
}

QTEST_APPLESS_MAIN(SpinInputFilterTest)
#include "SpinInputFilterTest.moc"
