#include "spinedit/AlertSound.h"
#include "spinedit/SpinArrowButton.h"
#include "spinedit/TSpinEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <limits>
#include <memory>

using kanatsumugi::SpinArrowButton;
using kanatsumugi::TSpinEdit;

namespace {

// Records the Escape key presses that reach the object it filters.
class EscapeWatcher : public QObject {
public:
    int seen = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            ++seen;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

// The spin box between two push buttons in the focus order, set up as the main window
// sets it up: MinValue 2, MaxValue 8, Increment 1, then Value 0.
class SpinEditTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void startsAsTwoAfterTheWindowsPropertyOrder();
    void readingConvertsWithoutTouchingTheText_data();
    void readingConvertsWithoutTouchingTheText();
    void settingClampsAndRewritesTheText_data();
    void settingClampsAndRewritesTheText();
    void tabAwayCommits_data();
    void tabAwayCommits();
    void everyWayToAnotherControlCommits();
    void windowLosingFocusCommitsNothing();
    void popupMenuCommitsNothing();

    void keysStep_data();
    void keysStep();
    void heldKeyRepeats();
    void stepsAtTheLimitsAreSilent();
    void stepsNeverOverflow();

    void typedCharacters_data();
    void typedCharacters();
    void modifiedKeys_data();
    void modifiedKeys();
    void decimalSeparatorFollowsTheLocale();
    void enterPressesNoButtonOfTheWindow();
    void escapeReachesTheWindow();
    void pasteAndCutAreNotFiltered();
    void inputMethodTextIsFiltered();

    void keyboardEntrySelectsAll_data();
    void keyboardEntrySelectsAll();
    void mouseClickOnlyPlacesTheCaret();
    void arrowPressTakesTheFocusAndSelects();
    void arrowClickStepsOnce();
    void secondaryButtonDoesNothing();

private:
    [[nodiscard]] QLineEdit* edit() const { return spin_->lineEdit(); }
    SpinArrowButton* arrow(const char* name) const;
    void focusWithText(const QString& text);

    std::unique_ptr<QWidget> window_;
    QPushButton* before_ = nullptr;
    TSpinEdit* spin_ = nullptr;
    QPushButton* after_ = nullptr;
    int alerts_ = 0;
};

void SpinEditTest::initTestCase() {
    kanatsumugi::setAlertSoundHandler([this] { ++alerts_; });
}

void SpinEditTest::cleanupTestCase() {
    kanatsumugi::setAlertSoundHandler({});
}

void SpinEditTest::init() {
    alerts_ = 0;
    window_ = std::make_unique<QWidget>();
    window_->resize(200, 60);
    before_ = new QPushButton(QStringLiteral("before"), window_.get());
    before_->setGeometry(0, 0, 60, 20);
    spin_ = new TSpinEdit(window_.get());
    spin_->setGeometry(70, 0, 33, 21);
    spin_->setProperty("MinValue", 2);
    spin_->setProperty("MaxValue", 8);
    spin_->setProperty("Increment", 1);
    spin_->setProperty("Value", 0);
    after_ = new QPushButton(QStringLiteral("after"), window_.get());
    after_->setGeometry(110, 0, 60, 20);
    QWidget::setTabOrder(before_, spin_);
    QWidget::setTabOrder(spin_, after_);
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    before_->setFocus(Qt::OtherFocusReason);
}

void SpinEditTest::cleanup() {
    window_.reset();
    QLocale::setDefault(QLocale::system());
}

SpinArrowButton* SpinEditTest::arrow(const char* name) const {
    return spin_->findChild<SpinArrowButton*>(QString::fromLatin1(name));
}

void SpinEditTest::focusWithText(const QString& text) {
    spin_->setFocus(Qt::OtherFocusReason);
    spin_->setText(text);
    QVERIFY(edit()->hasFocus());
}

void SpinEditTest::startsAsTwoAfterTheWindowsPropertyOrder() {
    QCOMPARE(spin_->text(), QStringLiteral("2"));
    QCOMPARE(spin_->Value(), 2);
    QCOMPARE(spin_->property("MinValue").toInt(), 2);
    QCOMPARE(spin_->property("MaxValue").toInt(), 8);
    QCOMPARE(spin_->property("Increment").toInt(), 1);
}

void SpinEditTest::readingConvertsWithoutTouchingTheText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("minValue");
    QTest::addColumn<int>("value");

    // How each text converts is the number parser's table; here only what Value adds to it.
    QTest::newRow("uncommitted 9 is not clamped") << "9" << 2 << 9;
    QTest::newRow("what does not convert reads as MinValue") << "-" << -7 << -7;
}

void SpinEditTest::readingConvertsWithoutTouchingTheText() {
    QFETCH(QString, text);
    QFETCH(int, minValue);
    QFETCH(int, value);

    spin_->setMinValue(minValue);
    spin_->setText(text);
    QCOMPARE(spin_->Value(), value);
    QCOMPARE(spin_->property("Value").toInt(), value);
    QCOMPARE(spin_->text(), text);
}

void SpinEditTest::settingClampsAndRewritesTheText_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("after");

    QTest::newRow("inside") << "2" << 5 << "5";
    QTest::newRow("below") << "5" << 0 << "2";
    QTest::newRow("above") << "5" << 9 << "8";
    QTest::newRow("lowest 32-bit") << "5" << std::numeric_limits<int>::min() << "2";
    QTest::newRow("highest 32-bit") << "5" << std::numeric_limits<int>::max() << "8";
    QTest::newRow("same number, other spelling") << "+05" << 5 << "5";
    QTest::newRow("over text that does not convert") << "abc" << 4 << "4";
}

void SpinEditTest::settingClampsAndRewritesTheText() {
    QFETCH(QString, before);
    QFETCH(int, value);
    QFETCH(QString, after);

    spin_->setText(before);
    spin_->setValue(value);
    QCOMPARE(spin_->text(), after);
}

void SpinEditTest::tabAwayCommits_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("committed");
    QTest::addColumn<int>("value");

    QTest::newRow("9") << "9"
                       << "8" << 8;
    QTest::newRow("99") << "99"
                        << "8" << 8;
    QTest::newRow("0") << "0"
                       << "2" << 2;
    QTest::newRow("-1") << "-1"
                        << "2" << 2;
    QTest::newRow("05 stays") << "05"
                              << "05" << 5;
    QTest::newRow("empty stays") << ""
                                 << "" << 2;
    QTest::newRow("3.5 stays") << "3.5"
                               << "3.5" << 2;
    QTest::newRow("-2147483648") << "-2147483648"
                                 << "2" << 2;
}

// Typed through the keyboard, so the filter lets each of these texts in. The texts that
// do not convert are the number parser's table; one of them shows that commit keeps them.
void SpinEditTest::tabAwayCommits() {
    QFETCH(QString, typed);
    QFETCH(QString, committed);
    QFETCH(int, value);

    focusWithText(QString());
    QTest::keyClicks(edit(), typed);
    QCOMPARE(spin_->text(), typed);
    QCOMPARE(alerts_, 0);

    QTest::keyClick(edit(), Qt::Key_Tab);
    QVERIFY(after_->hasFocus());
    QCOMPARE(spin_->text(), committed);
    QCOMPARE(spin_->Value(), value);
}

void SpinEditTest::everyWayToAnotherControlCommits() {
    focusWithText(QStringLiteral("9"));
    QTest::keyClick(edit(), Qt::Key_Backtab);
    QVERIFY(before_->hasFocus());
    QCOMPARE(spin_->text(), QStringLiteral("8"));

    focusWithText(QStringLiteral("0"));
    QTest::mouseClick(after_, Qt::LeftButton);
    QVERIFY(after_->hasFocus());
    QCOMPARE(spin_->text(), QStringLiteral("2"));

    focusWithText(QStringLiteral("77"));
    before_->setFocus(Qt::TabFocusReason);
    QCOMPARE(spin_->text(), QStringLiteral("8"));
}

void SpinEditTest::windowLosingFocusCommitsNothing() {
    focusWithText(QStringLiteral("9"));
    QWidget other;
    other.resize(50, 50);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(!edit()->hasFocus());
    QCOMPARE(spin_->text(), QStringLiteral("9"));

    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QVERIFY(edit()->hasFocus());
    QCOMPARE(spin_->text(), QStringLiteral("9"));
}

void SpinEditTest::popupMenuCommitsNothing() {
    focusWithText(QStringLiteral("9"));
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(edit(), &popup);
    QCOMPARE(spin_->text(), QStringLiteral("9"));
    QFocusEvent other(QEvent::FocusOut, Qt::OtherFocusReason);
    QApplication::sendEvent(edit(), &other);
    QCOMPARE(spin_->text(), QStringLiteral("8"));
}

void SpinEditTest::keysStep_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("stepped");

    QTest::newRow("up") << "5" << int(Qt::Key_Up) << "6";
    QTest::newRow("down") << "5" << int(Qt::Key_Down) << "4";
    QTest::newRow("up from empty") << "" << int(Qt::Key_Up) << "3";
    QTest::newRow("down from empty") << "" << int(Qt::Key_Down) << "2";
    QTest::newRow("up from uncommitted 9") << "9" << int(Qt::Key_Up) << "8";
    QTest::newRow("down from uncommitted 9") << "9" << int(Qt::Key_Down) << "8";
    QTest::newRow("down from -40") << "-40" << int(Qt::Key_Down) << "2";
}

void SpinEditTest::keysStep() {
    QFETCH(QString, text);
    QFETCH(int, key);
    QFETCH(QString, stepped);

    focusWithText(text);
    QTest::keyClick(edit(), Qt::Key(key));
    QCOMPARE(spin_->text(), stepped);
    QCOMPARE(edit()->selectedText(), stepped);
    QCOMPARE(alerts_, 0);
}

void SpinEditTest::heldKeyRepeats() {
    focusWithText(QStringLiteral("2"));
    for (int i = 0; i < 4; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), i > 0);
        QApplication::sendEvent(edit(), &repeat);
    }
    QCOMPARE(spin_->text(), QStringLiteral("6"));
}

void SpinEditTest::stepsAtTheLimitsAreSilent() {
    focusWithText(QStringLiteral("8"));
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(edit(), Qt::Key_Up);
        QTest::mouseClick(arrow("upArrow"), Qt::LeftButton);
    }
    QCOMPARE(spin_->text(), QStringLiteral("8"));
    spin_->setText(QStringLiteral("2"));
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(edit(), Qt::Key_Down);
        QTest::mouseClick(arrow("downArrow"), Qt::LeftButton);
    }
    QCOMPARE(spin_->text(), QStringLiteral("2"));
    QCOMPARE(alerts_, 0);
}

void SpinEditTest::stepsNeverOverflow() {
    spin_->setMinValue(std::numeric_limits<int>::min());
    spin_->setMaxValue(std::numeric_limits<int>::max());
    spin_->setIncrement(std::numeric_limits<int>::max());
    focusWithText(QStringLiteral("2147483647"));
    QTest::keyClick(edit(), Qt::Key_Up);
    QCOMPARE(spin_->text(), QStringLiteral("2147483647"));
    spin_->setText(QStringLiteral("-2147483648"));
    QTest::keyClick(edit(), Qt::Key_Down);
    QCOMPARE(spin_->text(), QStringLiteral("-2147483648"));
    QTest::keyClick(edit(), Qt::Key_Up);
    QCOMPARE(spin_->text(), QStringLiteral("-1"));
}

void SpinEditTest::typedCharacters_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("keyText");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("alerts");

    // Starting from "5" with the caret at the end. Which characters pass is the input
    // filter's table; here, how keys reach it and what a refusal does.
    QTest::newRow("digit") << int(Qt::Key_7) << "7"
                           << "57" << 0;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << "\b"
                               << "" << 0;
    QTest::newRow("letter") << int(Qt::Key_A) << "a"
                            << "5" << 1;
    QTest::newRow("space without text") << int(Qt::Key_Space) << ""
                                        << "5" << 1;
    QTest::newRow("return") << int(Qt::Key_Return) << "\r"
                            << "5" << 1;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << "\r"
                                  << "5" << 1;
}

void SpinEditTest::typedCharacters() {
    QFETCH(int, key);
    QFETCH(QString, keyText);
    QFETCH(QString, after);
    QFETCH(int, alerts);

    focusWithText(QStringLiteral("5"));
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, keyText);
    QApplication::sendEvent(edit(), &press);
    QCOMPARE(spin_->text(), after);
    QCOMPARE(alerts_, alerts);
}

void SpinEditTest::modifiedKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("keyText");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("alerts");

    // Starting from "5" with the caret at the end; Alt and Meta would insert their text.
    QTest::newRow("alt+letter") << int(Qt::Key_A) << int(Qt::AltModifier) << "a"
                                << "5" << 1;
    QTest::newRow("meta+letter") << int(Qt::Key_B) << int(Qt::MetaModifier) << "b"
                                 << "5" << 1;
    QTest::newRow("ctrl+alt+letter")
        << int(Qt::Key_A) << int(Qt::ControlModifier | Qt::AltModifier) << "a"
        << "5" << 1;
    QTest::newRow("alt+space") << int(Qt::Key_Space) << int(Qt::AltModifier) << " "
                               << "5" << 1;
    QTest::newRow("alt+digit") << int(Qt::Key_1) << int(Qt::AltModifier) << "1"
                               << "51" << 0;
    QTest::newRow("ctrl+m is a carriage return")
        << int(Qt::Key_M) << int(Qt::ControlModifier) << "\r"
        << "5" << 1;
    QTest::newRow("ctrl+letter inserts nothing")
        << int(Qt::Key_B) << int(Qt::ControlModifier) << "\x02"
        << "5" << 0;
    QTest::newRow("ctrl+backspace") << int(Qt::Key_Backspace) << int(Qt::ControlModifier) << ""
                                    << "" << 0;
}

void SpinEditTest::modifiedKeys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, keyText);
    QFETCH(QString, after);
    QFETCH(int, alerts);

    focusWithText(QStringLiteral("5"));
    QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), keyText);
    QApplication::sendEvent(edit(), &press);
    QCOMPARE(spin_->text(), after);
    QCOMPARE(alerts_, alerts);
}

void SpinEditTest::decimalSeparatorFollowsTheLocale() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    focusWithText(QStringLiteral("3"));
    QTest::keyClicks(edit(), QStringLiteral(".,5"));
    QCOMPARE(spin_->text(), QStringLiteral("3,5"));
    QCOMPARE(alerts_, 1);

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QTest::keyClicks(edit(), QStringLiteral(",."));
    QCOMPARE(spin_->text(), QStringLiteral("3,5."));
    QCOMPARE(alerts_, 2);
    QCOMPARE(spin_->Value(), 2);
}

// A window whose default button would take Enter: the spin box must keep it.
void SpinEditTest::enterPressesNoButtonOfTheWindow() {
    QDialog dialog;
    auto* button = new QPushButton(QStringLiteral("OK"), &dialog);
    button->setDefault(true);
    auto* spin = new TSpinEdit(&dialog);
    spin->move(0, 30);
    QSignalSpy clicks(button, &QPushButton::clicked);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    spin->setFocus(Qt::TabFocusReason);

    QTest::keyClick(spin->lineEdit(), Qt::Key_Return);
    QTest::keyClick(spin->lineEdit(), Qt::Key_Enter);
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(alerts_, 2);
    QVERIFY(dialog.isVisible());
}

void SpinEditTest::escapeReachesTheWindow() {
    EscapeWatcher watcher;
    window_->installEventFilter(&watcher);
    focusWithText(QStringLiteral("5"));
    QTest::keyClick(edit(), Qt::Key_Escape);
    QCOMPARE(watcher.seen, 1);
    QCOMPARE(spin_->text(), QStringLiteral("5"));
    QCOMPARE(alerts_, 0);
}

void SpinEditTest::pasteAndCutAreNotFiltered() {
    QApplication::clipboard()->setText(QStringLiteral("x ab$1F"));
    focusWithText(QStringLiteral("5"));
    QTest::keyClick(edit(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(spin_->text(), QStringLiteral("5x ab$1F"));

    QTest::keyClick(edit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit(), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(spin_->text(), QString());
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("5x ab$1F"));

    QTest::keyClick(edit(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(spin_->text(), QStringLiteral("5x ab$1F"));
    QCOMPARE(alerts_, 0);
}

void SpinEditTest::inputMethodTextIsFiltered() {
    focusWithText(QStringLiteral("5"));
    QInputMethodEvent mixed;
    mixed.setCommitString(QString::fromUtf8("1ａ2"));
    QApplication::sendEvent(edit(), &mixed);
    QCOMPARE(spin_->text(), QStringLiteral("512"));
    QCOMPARE(alerts_, 1);

    QInputMethodEvent digits;
    digits.setCommitString(QStringLiteral("3"));
    QApplication::sendEvent(edit(), &digits);
    QCOMPARE(spin_->text(), QStringLiteral("5123"));
    QCOMPARE(alerts_, 1);
}

void SpinEditTest::keyboardEntrySelectsAll_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("Tab from the previous control") << 0;
    QTest::newRow("Shift+Tab from the next control") << 1;
    QTest::newRow("the window's arrow-key move forward") << 2;
    QTest::newRow("the window's arrow-key move backward") << 3;
}

void SpinEditTest::keyboardEntrySelectsAll() {
    QFETCH(int, how);

    spin_->setText(QStringLiteral("05"));
    // A part-selection left from an earlier visit must not survive.
    edit()->setSelection(0, 1);
    switch (how) {
    case 0:
        before_->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(before_, Qt::Key_Tab);
        break;
    case 1:
        after_->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(after_, Qt::Key_Backtab);
        break;
    case 2:
        spin_->setFocus(Qt::TabFocusReason);
        break;
    default:
        spin_->setFocus(Qt::BacktabFocusReason);
        break;
    }
    QVERIFY(edit()->hasFocus());
    QCOMPARE(edit()->selectedText(), QStringLiteral("05"));
}

void SpinEditTest::mouseClickOnlyPlacesTheCaret() {
    spin_->setText(QStringLiteral("05"));
    QTest::mouseClick(edit(), Qt::LeftButton, {}, QPoint(1, edit()->height() / 2));
    QVERIFY(edit()->hasFocus());
    QVERIFY(!edit()->hasSelectedText());
    QCOMPARE(edit()->cursorPosition(), 0);
}

void SpinEditTest::arrowPressTakesTheFocusAndSelects() {
    spin_->setText(QStringLiteral("05"));
    SpinArrowButton* up = arrow("upArrow");
    QTest::mousePress(up, Qt::LeftButton, {}, up->rect().center());
    QVERIFY(edit()->hasFocus());
    QCOMPARE(edit()->selectedText(), QStringLiteral("05"));
    QVERIFY(!up->hasFocus());
    QTest::mouseRelease(up, Qt::LeftButton, {}, up->rect().center());
    QCOMPARE(spin_->text(), QStringLiteral("6"));
    QCOMPARE(edit()->selectedText(), QStringLiteral("6"));
}

void SpinEditTest::arrowClickStepsOnce() {
    QTest::mouseClick(arrow("upArrow"), Qt::LeftButton);
    QCOMPARE(spin_->text(), QStringLiteral("3"));
    QTest::mouseClick(arrow("upArrow"), Qt::LeftButton);
    QCOMPARE(spin_->text(), QStringLiteral("4"));
    QTest::mouseClick(arrow("downArrow"), Qt::LeftButton);
    QCOMPARE(spin_->text(), QStringLiteral("3"));
    // A double click is two clicks; the second press arrives as a double-click event.
    SpinArrowButton* up = arrow("upArrow");
    QTest::mouseClick(up, Qt::LeftButton);
    const QPointF centre(up->rect().center());
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, centre, up->mapToGlobal(centre),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(up, &doubleClick);
    QTest::mouseRelease(up, Qt::LeftButton);
    QCOMPARE(spin_->text(), QStringLiteral("5"));
}

void SpinEditTest::secondaryButtonDoesNothing() {
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(arrow("upArrow"), button);
        QVERIFY(before_->hasFocus());
        QCOMPARE(spin_->text(), QStringLiteral("2"));
    }
    // A secondary button released while the primary one holds the arrow ends nothing.
    SpinArrowButton* up = arrow("upArrow");
    QTest::mousePress(up, Qt::LeftButton, {}, up->rect().center());
    QMouseEvent rightUp(QEvent::MouseButtonRelease, QPointF(up->rect().center()),
                        up->mapToGlobal(QPointF(up->rect().center())), Qt::RightButton,
                        Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(up, &rightUp);
    QVERIFY(up->isShownPressed());
    QCOMPARE(spin_->text(), QStringLiteral("2"));
    QTest::mouseRelease(up, Qt::LeftButton, {}, up->rect().center());
    QCOMPARE(spin_->text(), QStringLiteral("3"));
}

QTEST_MAIN(SpinEditTest)
#include "SpinEditTest.moc"
