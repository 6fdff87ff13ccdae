#include "spinedit/SpinArrowButton.h"
#include "spinedit/TSpinEdit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include <memory>
#include <vector>

using kanatsumugi::SpinArrowButton;
using kanatsumugi::TSpinEdit;

namespace {

constexpr int startValue = 10;

// The pointer moving while the primary button holds the arrow; the implicit grab
// delivers such moves to the arrow even when the pointer is outside it.
void moveWhileHeld(QWidget* arrow, QPoint position) {
    const QPointF local(position);
    QMouseEvent move(QEvent::MouseMove, local, arrow->mapToGlobal(local), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(arrow, &move);
}

// Automatic steps the arrow can have made by `heldMs` after the press: at 400, 500, ...
int automaticStepsPossibleBy(qint64 heldMs) {
    const qint64 first = SpinArrowButton::firstRepeatDelayMs;
    return heldMs < first ? 0 : int(1 + (heldMs - first) / SpinArrowButton::repeatIntervalMs);
}

} // namespace

// Timed behaviour of a held arrow. Steps are counted on a spin box with room to count
// (10 in 2..1000) and timed by the text changes they make.
class SpinArrowRepeatTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void clickShorterThanTheFirstDelayStepsOnce();
    void releaseElsewhereAfter250msStepsNever();
    void holdJustOverOneSecondStepsAboutEightTimes();
    void movingOffPausesAndMovingBackResumes();
    void downArrowRepeatsDownwards();

private:
    [[nodiscard]] int steps() const { return spin_->Value() - startValue; }
    SpinArrowButton* arrow(const char* name) const;
    void press(SpinArrowButton* arrow);

    std::unique_ptr<QWidget> window_;
    TSpinEdit* spin_ = nullptr;
    QElapsedTimer sincePress_;
    std::vector<qint64> stepTimes_;
};

void SpinArrowRepeatTest::init() {
    window_ = std::make_unique<QWidget>();
    window_->resize(100, 40);
    spin_ = new TSpinEdit(window_.get());
    spin_->setGeometry(10, 10, 33, 21);
    spin_->setMinValue(2);
    spin_->setMaxValue(1000);
    spin_->setValue(startValue);
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    stepTimes_.clear();
    connect(spin_->lineEdit(), &QLineEdit::textChanged, this,
            [this] { stepTimes_.push_back(sincePress_.elapsed()); });
}

void SpinArrowRepeatTest::cleanup() {
    window_.reset();
}

SpinArrowButton* SpinArrowRepeatTest::arrow(const char* name) const {
    return spin_->findChild<SpinArrowButton*>(QString::fromLatin1(name));
}

void SpinArrowRepeatTest::press(SpinArrowButton* arrow) {
    sincePress_.start();
    QTest::mousePress(arrow, Qt::LeftButton, {}, arrow->rect().center());
}

void SpinArrowRepeatTest::clickShorterThanTheFirstDelayStepsOnce() {
    SpinArrowButton* up = arrow("upArrow");
    press(up);
    QTest::qWait(200);
    if (sincePress_.elapsed() >= SpinArrowButton::firstRepeatDelayMs) {
        QSKIP("the machine stalled past the first repeat delay");
    }
    QCOMPARE(steps(), 0);
    QTest::mouseRelease(up, Qt::LeftButton, {}, up->rect().center());
    QCOMPARE(steps(), 1);
    QTest::qWait(500);
    QCOMPARE(steps(), 1);
}

void SpinArrowRepeatTest::releaseElsewhereAfter250msStepsNever() {
    SpinArrowButton* up = arrow("upArrow");
    const QPoint outside(up->width() + 30, up->height() / 2);

    // Once with the pointer seen leaving first, once with only the release outside.
    for (const bool movesFirst : {true, false}) {
        press(up);
        QTest::qWait(250);
        if (sincePress_.elapsed() >= SpinArrowButton::firstRepeatDelayMs) {
            QSKIP("the machine stalled past the first repeat delay");
        }
        if (movesFirst) {
            moveWhileHeld(up, outside);
            QVERIFY(!up->isShownPressed());
        }
        QTest::mouseRelease(up, Qt::LeftButton, {}, outside);
        QVERIFY(!up->isShownPressed());
        QTest::qWait(400);
        QCOMPARE(steps(), 0);
    }
}

// Automatic steps at about 400, 500, ..., 1000 ms and one at the release: 8 in all.
void SpinArrowRepeatTest::holdJustOverOneSecondStepsAboutEightTimes() {
    SpinArrowButton* up = arrow("upArrow");
    press(up);
    QTest::qWait(1050);
    const qint64 held = sincePress_.elapsed();
    QTest::mouseRelease(up, Qt::LeftButton, {}, up->rect().center());

    QVERIFY2(steps() >= 6, qPrintable(QStringLiteral("%1 steps").arg(steps())));
    QVERIFY2(steps() <= automaticStepsPossibleBy(held) + 1,
             qPrintable(QStringLiteral("%1 steps in %2 ms").arg(steps()).arg(held)));
    // No automatic step comes early: the k-th (from 0) not before 400 + 100 k ms.
    for (std::size_t k = 0; k + 1 < stepTimes_.size(); ++k) {
        const qint64 due =
            SpinArrowButton::firstRepeatDelayMs + qint64(k) * SpinArrowButton::repeatIntervalMs;
        QVERIFY2(stepTimes_[k] >= due,
                 qPrintable(QStringLiteral("step %1 at %2 ms").arg(k).arg(stepTimes_[k])));
    }

    const int afterRelease = steps();
    QTest::qWait(300);
    QCOMPARE(steps(), afterRelease);
}

void SpinArrowRepeatTest::movingOffPausesAndMovingBackResumes() {
    SpinArrowButton* up = arrow("upArrow");
    press(up);
    QTRY_VERIFY_WITH_TIMEOUT(steps() >= 1, 3000);
    moveWhileHeld(up, QPoint(-20, -20));
    QVERIFY(!up->isShownPressed());
    const int paused = steps();
    QTest::qWait(350);
    QCOMPARE(steps(), paused);

    moveWhileHeld(up, up->rect().center());
    QVERIFY(up->isShownPressed());
    QTRY_VERIFY_WITH_TIMEOUT(steps() > paused, 3000);
    const int beforeRelease = steps();
    QTest::mouseRelease(up, Qt::LeftButton, {}, up->rect().center());
    QCOMPARE(steps(), beforeRelease + 1);
}

void SpinArrowRepeatTest::downArrowRepeatsDownwards() {
    SpinArrowButton* down = arrow("downArrow");
    press(down);
    QTRY_VERIFY_WITH_TIMEOUT(steps() <= -2, 3000);
    QTest::mouseRelease(down, Qt::LeftButton, {}, QPoint(-5, -5));
    const int afterRelease = steps();
    QTest::qWait(250);
    QCOMPARE(steps(), afterRelease);
}

QTEST_MAIN(SpinArrowRepeatTest)
#include "SpinArrowRepeatTest.moc"
