#include "spinedit/SpinText.h"

#include <QTest>

#include <optional>

using kanatsumugi::isAcceptedSpinInput;
using kanatsumugi::parseSpinText;

namespace {
constexpr int noNumber = -999; // stands for "does not convert" in the table
}

class SpinTextTest : public QObject {
    Q_OBJECT

private slots:
    void converts_data();
    void converts();
    void judgesTypedText_data();
    void judgesTypedText();
};

void SpinTextTest::converts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("plain digit") << "5" << 5;
    QTest::newRow("leading zero") << "05" << 5;
    QTest::newRow("plus sign") << "+5" << 5;
    QTest::newRow("minus sign") << "-1" << -1;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("minus zero") << "-0" << 0;
    QTest::newRow("leading blanks") << "   5" << 5;
    QTest::newRow("leading tab") << "\t7" << 7;
    QTest::newRow("blank before sign") << " -3" << -3;
    QTest::newRow("many leading zeros") << "0000000000009" << 9;
    QTest::newRow("int32 max") << "2147483647" << 2147483647;
    QTest::newRow("int32 min") << "-2147483648" << int(-2147483647 - 1);

    QTest::newRow("empty") << "" << noNumber;
    QTest::newRow("only blanks") << "   " << noNumber;
    QTest::newRow("lone minus") << "-" << noNumber;
    QTest::newRow("lone plus") << "+" << noNumber;
    QTest::newRow("lone point") << "." << noNumber;
    QTest::newRow("lone comma") << "," << noNumber;
    QTest::newRow("decimal fraction") << "3.5" << noNumber;
    QTest::newRow("trailing blank") << "5 " << noNumber;
    QTest::newRow("blank after sign") << "- 5" << noNumber;
    QTest::newRow("two signs") << "+-5" << noNumber;
    QTest::newRow("sign after digits") << "5-" << noNumber;
    QTest::newRow("stray letter") << "5a" << noNumber;
    QTest::newRow("ten nines") << "9999999999" << noNumber;
    QTest::newRow("int32 max + 1") << "2147483648" << noNumber;
    QTest::newRow("int32 min - 1") << "-2147483649" << noNumber;
    QTest::newRow("twenty-five digits") << "1000000000000000000000005" << noNumber;
    QTest::newRow("full-width digit") << QString::fromUtf8("５") << noNumber;
    QTest::newRow("ideographic space") << QString::fromUtf8("\u30005") << noNumber;

    QTest::newRow("dollar hex") << "$1F" << 31;
    QTest::newRow("dollar hex lower") << "$1f" << 31;
    QTest::newRow("x hex") << "x10" << 16;
    QTest::newRow("capital X hex") << "X10" << 16;
    QTest::newRow("0x hex") << "0x10" << 16;
    QTest::newRow("0X hex") << "0X10" << 16;
    QTest::newRow("blank before hex") << "  $A" << 10;
    QTest::newRow("hex all ones is -1") << "$FFFFFFFF" << -1;
    QTest::newRow("hex sign bit") << "$80000000" << int(-2147483647 - 1);
    QTest::newRow("hex int32 max") << "0x7fffffff" << 2147483647;
    QTest::newRow("hex leading zeros") << "$000000001" << 1;
    QTest::newRow("hex nine digits") << "$100000000" << noNumber;
    QTest::newRow("hex far too long") << "x123456789ABCDEF01" << noNumber;
    QTest::newRow("lone dollar") << "$" << noNumber;
    QTest::newRow("lone x") << "x" << noNumber;
    QTest::newRow("lone 0x") << "0x" << noNumber;
    QTest::newRow("hex stray letter") << "$1G" << noNumber;
    QTest::newRow("sign before hex") << "-$10" << noNumber;
    QTest::newRow("sign inside hex") << "$-1" << noNumber;
    QTest::newRow("double 0x") << "0x0x1" << noNumber;
    QTest::newRow("two leading zeros before x") << "00x10" << noNumber;
}

void SpinTextTest::converts() {
    QFETCH(QString, text);
    QFETCH(int, expected);

    const std::optional<std::int32_t> result = parseSpinText(text);
    if (expected == noNumber) {
        QVERIFY2(!result.has_value(), qPrintable(QStringLiteral("read as %1").arg(*result)));
    } else {
        QVERIFY(result.has_value());
        QCOMPARE(*result, expected);
    }
}

void SpinTextTest::judgesTypedText_data() {
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

void SpinTextTest::judgesTypedText() {
    QFETCH(QString, typed);
    QFETCH(QString, decimalPoint);
    QFETCH(bool, accepted);

    QCOMPARE(isAcceptedSpinInput(typed, decimalPoint), accepted);
}

QTEST_APPLESS_MAIN(SpinTextTest)
#include "SpinTextTest.moc"
