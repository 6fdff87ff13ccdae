#include "spinedit/SpinArrowButton.h"
#include "spinedit/TSpinEdit.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <set>
#include <utility>

using kanatsumugi::SpinArrowButton;
using kanatsumugi::TSpinEdit;

namespace {

using PixelSet = std::set<std::pair<int, int>>;

// Collects the regions repainted on the widget it filters.
class PaintRecorder : public QObject {
public:
    QRegion painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return QObject::eventFilter(watched, event);
    }
};

// The pixels of `image` inside `area` that have exactly `colour`, relative to `area`.
PixelSet pixelsOfColour(const QImage& image, const QRect& area, QColor colour) {
    PixelSet found;
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            if (image.pixelColor(area.left() + x, area.top() + y).rgb() == colour.rgb()) {
                found.insert({x, y});
            }
        }
    }
    return found;
}

// A solid triangle with rows 1, 3, 5 and 7 wide, centred in a button of `size`; each of
// its pixels a square of `scale`.
PixelSet expectedTriangle(QSize size, SpinArrowButton::Direction direction, int scale = 1) {
    const int left = (size.width() - 9 * scale) / 2;
    const int top = (size.height() - 6 * scale) / 2 + scale;
    PixelSet pixels;
    for (int row = 0; row < 4 * scale; ++row) {
        const int designRow = row / scale;
        const int half = direction == SpinArrowButton::Direction::Up ? designRow : 3 - designRow;
        for (int x = (4 - half) * scale; x < (5 + half) * scale; ++x) {
            pixels.insert({left + x, top + row});
        }
    }
    return pixels;
}

} // namespace

// The spin box as the main window places it: 33 x 21 in the window font.
class SpinEditLookTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void arrowStripSitsInsideTheBorderAtTheRight();
    void textAreaEndsWhereTheStripBegins();
    void arrowsShowCentredTriangles();
    void pressedArrowKeepsItsTriangle();
    void borderRepaintsAsTheFocusComesAndGoes();
    void arrowsScaleWithTheLayout();

private:
    std::unique_ptr<QWidget> window_;
    TSpinEdit* spin_ = nullptr;
};

// The pixel checks assume the look of Qt's own default style, whatever the desktop's.
void SpinEditLookTest::initTestCase() {
    QApplication::setStyle(QStringLiteral("Fusion"));
}

void SpinEditLookTest::init() {
    window_ = std::make_unique<QWidget>();
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAPGothic")});
    font.setPixelSize(12);
    window_->setFont(font);
    window_->resize(60, 40);
    spin_ = new TSpinEdit(window_.get());
    spin_->setProperty("MinValue", 2);
    spin_->setProperty("MaxValue", 8);
    spin_->setProperty("Increment", 1);
    spin_->setProperty("Value", 0);
    spin_->setGeometry(10, 10, 33, 21);
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void SpinEditLookTest::cleanup() {
    window_.reset();
}

void SpinEditLookTest::arrowStripSitsInsideTheBorderAtTheRight() {
    auto* up = spin_->findChild<SpinArrowButton*>(QStringLiteral("upArrow"));
    auto* down = spin_->findChild<SpinArrowButton*>(QStringLiteral("downArrow"));
    QVERIFY(up && down);
    const QRect inside = spin_->lineEdit()->geometry().united(up->geometry());

    QCOMPARE(up->width(), TSpinEdit::arrowStripWidth);
    QCOMPARE(down->width(), TSpinEdit::arrowStripWidth);
    QCOMPARE(up->geometry().right(), inside.right());
    QCOMPARE(up->x(), down->x());
    QCOMPARE(up->y(), inside.top());
    QCOMPARE(down->y(), up->geometry().bottom() + 1);
    QCOMPARE(down->geometry().bottom(), inside.bottom());
    QVERIFY(qAbs(up->height() - down->height()) <= 1);
    // The border is the same width on every side.
    const int border = inside.left();
    QVERIFY(border >= 1);
    QCOMPARE(inside.top(), border);
    QCOMPARE(spin_->width() - 1 - inside.right(), border);
    QCOMPARE(spin_->height() - 1 - inside.bottom(), border);
}

void SpinEditLookTest::textAreaEndsWhereTheStripBegins() {
    auto* up = spin_->findChild<SpinArrowButton*>(QStringLiteral("upArrow"));
    const QRect text = spin_->lineEdit()->geometry();
    QCOMPARE(text.right() + 1, up->x());
    QCOMPARE(text.height(), 2 * up->height() + (spin_->height() - 2 * text.top()) % 2);
    QVERIFY(text.width() > QFontMetrics(spin_->font()).horizontalAdvance(QLatin1Char('8')));
}

void SpinEditLookTest::arrowsShowCentredTriangles() {
    const QImage image = spin_->grab().toImage();
    const QColor glyph = spin_->palette().color(QPalette::ButtonText);
    for (const char* name : {"upArrow", "downArrow"}) {
        auto* arrow = spin_->findChild<SpinArrowButton*>(QString::fromLatin1(name));
        QCOMPARE(pixelsOfColour(image, arrow->geometry(), glyph),
                 expectedTriangle(arrow->size(), arrow->direction()));
    }
}

void SpinEditLookTest::pressedArrowKeepsItsTriangle() {
    auto* down = spin_->findChild<SpinArrowButton*>(QStringLiteral("downArrow"));
    QTest::mousePress(down, Qt::LeftButton, {}, down->rect().center());
    QVERIFY(down->isShownPressed());
    const QImage image = spin_->grab().toImage();
    QCOMPARE(pixelsOfColour(image, down->geometry(), spin_->palette().color(QPalette::ButtonText)),
             expectedTriangle(down->size(), down->direction()));
    QTest::mouseRelease(down, Qt::LeftButton, {}, QPoint(-50, -50));
}

// The style may draw the focus in the border, which lies outside the text area.
void SpinEditLookTest::borderRepaintsAsTheFocusComesAndGoes() {
    auto* button = new QPushButton(QStringLiteral("b"), window_.get());
    button->setGeometry(0, 0, 8, 8);
    button->show();
    button->setFocus();
    QTest::qWait(20);
    const QPoint leftBorder(0, spin_->height() / 2);

    for (const bool entering : {true, false}) {
        PaintRecorder recorder;
        spin_->installEventFilter(&recorder);
        if (entering) {
            spin_->setFocus(Qt::TabFocusReason);
        } else {
            button->setFocus(Qt::TabFocusReason);
        }
        QTRY_VERIFY(recorder.painted.contains(leftBorder));
        spin_->removeEventFilter(&recorder);
    }
}

// At twice the design's text height (192 dots per inch) the strip and the glyphs double.
void SpinEditLookTest::arrowsScaleWithTheLayout() {
    spin_->setGeometry(20, 20, 66, 42);
    spin_->setArrowScale(2.0);
    const QImage image = spin_->grab().toImage();
    for (const char* name : {"upArrow", "downArrow"}) {
        auto* arrow = spin_->findChild<SpinArrowButton*>(QString::fromLatin1(name));
        QCOMPARE(arrow->width(), 2 * TSpinEdit::arrowStripWidth);
        QCOMPARE(
            pixelsOfColour(image, arrow->geometry(), spin_->palette().color(QPalette::ButtonText)),
            expectedTriangle(arrow->size(), arrow->direction(), 2));
    }
}

QTEST_MAIN(SpinEditLookTest)
#include "SpinEditLookTest.moc"
