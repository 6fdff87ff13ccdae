#include "RecordedErrorBoxes.h"
#include "spinedit/TSpinEdit.h"
#include "stock/NameStock.h"
#include "support/FixedClock.h"
#include "window/DesktopSession.h"
#include "window/ErrorReport.h"
#include "window/Shell.h"
#include "window/TForm1.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace kanatsumugi;

namespace {

constexpr TimeOfDay kAfternoon{12, 34, 56, 789};
constexpr TimeOfDay kMidnight{0, 0, 0, 0};

// The texts a menu shows, without their shortcut keys.
QStringList menuTexts(QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            texts.append(action->text().section(u'\t', 0, 0));
        }
    }
    delete menu;
    return texts;
}

QByteArray stockFileBytes() {
    QFile file(QDir::current().filePath(QString::fromUtf8(StockList::kFileName)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

    QTemporaryDir workingDirectory_;
    test::FixedClock clock_{kAfternoon};
    std::unique_ptr<TForm1> form_;

    template <class Control> Control* control(const char* name) {
        return form_->findChild<Control*>(QString::fromLatin1(name));
    }
    QPushButton* button1() { return control<QPushButton>("Button1"); }
    QPushButton* button2() { return control<QPushButton>("Button2"); }
    QLineEdit* edit1() { return control<QLineEdit>("Edit1"); }
    QCheckBox* checkBox1() { return control<QCheckBox>("CheckBox1"); }
    TSpinEdit* spinEdit1() { return control<TSpinEdit>("SpinEdit1"); }
    QList<QWidget*> cycle() { return {button1(), edit1(), checkBox1(), button2(), spinEdit1()}; }

    // The control of the focus cycle that holds the keyboard focus.
    QWidget* focusedControl() {
        for (QWidget* candidate : cycle()) {
            if (candidate == QApplication::focusWidget() ||
                candidate->isAncestorOf(QApplication::focusWidget())) {
                return candidate;
            }
        }
        return nullptr;
    }
    void pressOn(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        target->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

private slots:
    void init() {
        QVERIFY(QDir::setCurrent(workingDirectory_.path()));
        QFile::remove(QString::fromUtf8(StockList::kFileName));
        clock_.set(kAfternoon);
        form_ = std::make_unique<TForm1>(clock_);
        startUp(*form_);
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }
    void cleanup() { form_.reset(); }

    void startsReadyToGenerate() {
        QCOMPARE(spinEdit1()->text(), QStringLiteral("2"));
        QVERIFY(!checkBox1()->isChecked());
        QCOMPARE(edit1()->text(), QStringLiteral("チリイヂヨ"));
        QCOMPARE(focusedControl(), button1());
        QCOMPARE(form_->windowTitle(), QStringLiteral("カナツムギ"));
        QCOMPARE(form_->pos(), QPoint(615, 142));
        QVERIFY(!(form_->windowFlags() &
                  (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(QAccessible::queryAccessibleInterface(form_.get())->role(), QAccessible::Window);

        clock_.set(kMidnight);
        QTest::keyClick(button1(), Qt::Key_Return);
        QCOMPARE(edit1()->text(), QStringLiteral("イスィ"));
    }

    // IPAPGothic's line is 12.9 pixels high at 12 pixels, so the layout grows by 13/12.
    void scalesTheLayoutToTheFallbackFont() {
        if (QFontInfo(form_->font()).family() != QStringLiteral("IPAPGothic")) {
            QSKIP("IPAPGothic (fonts-ipafont-gothic) is not installed");
        }
        QCOMPARE(form_->size(), QSize(206, 55));
        QCOMPARE(form_->minimumSize(), form_->maximumSize());
        QCOMPARE(edit1()->geometry(), QRect(9, 4, 131, 22));
        QCOMPARE(spinEdit1()->geometry(), QRect(106, 30, 36, 23));
        QCOMPARE(spinEdit1()->findChild<QWidget*>(QStringLiteral("upArrow"))->width(), 16);
        QCOMPARE(checkBox1()->font().pixelSize(), 11);
    }

    // The generator's own tests hold its worked examples; this is the wiring: the clock,
    // the check box and the spin box's committed value reach it, and the name comes back.
    void generatesFromTheControls() {
        clock_.set(kAfternoon);
        checkBox1()->setChecked(true);
        spinEdit1()->setFocus(Qt::MouseFocusReason);
        spinEdit1()->setText(QStringLiteral("9"));
        QTest::mouseClick(button1(), Qt::LeftButton);
        QCOMPARE(edit1()->text(), QStringLiteral("チリイヂヨキヴベ"));
        QCOMPARE(spinEdit1()->text(), QStringLiteral("8"));
        QVERIFY(form_->stock()->stockable());
    }

    void tabCyclesThroughTheFiveControls() {
        const QList<QWidget*> order = cycle();
        for (qsizetype step = 1; step <= order.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(focusedControl(), order.at(step % order.size()));
        }
        for (qsizetype step = order.size() - 1; step >= 0; --step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QCOMPARE(focusedControl(), order.at(step));
        }
        spinEdit1()->setFocus(Qt::TabFocusReason);
        spinEdit1()->setText(QStringLiteral("0"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusedControl(), button1());
        QCOMPARE(spinEdit1()->text(), QStringLiteral("2"));
    }

    void arrowsMoveTheFocusWithoutPressing_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<int>("to");
        QTest::newRow("Button1 Right") << 0 << Qt::Key_Right << 1;
        QTest::newRow("Button1 Down") << 0 << Qt::Key_Down << 1;
        QTest::newRow("Button1 Left wraps") << 0 << Qt::Key_Left << 4;
        QTest::newRow("Button1 Up wraps") << 0 << Qt::Key_Up << 4;
        QTest::newRow("CheckBox1 Left") << 2 << Qt::Key_Left << 1;
        QTest::newRow("CheckBox1 Right") << 2 << Qt::Key_Right << 3;
        QTest::newRow("Button2 Up") << 3 << Qt::Key_Up << 2;
        QTest::newRow("Button2 Down") << 3 << Qt::Key_Down << 4;
    }
    void arrowsMoveTheFocusWithoutPressing() {
        QFETCH(int, from);
        QFETCH(Qt::Key, key);
        QFETCH(int, to);
        clock_.set(kMidnight);
        pressOn(cycle().at(from), key);
        QCOMPARE(focusedControl(), cycle().at(to));
        QCOMPARE(edit1()->text(), QStringLiteral("チリイヂヨ"));
        QVERIFY(!checkBox1()->isChecked());
        QVERIFY(form_->stock()->list().entries().isEmpty());
        if (to == 1) {
            QCOMPARE(edit1()->selectedText(), edit1()->text());
        }
        if (to == 4) {
            QCOMPARE(QApplication::focusWidget(), spinEdit1());
            QCOMPARE(spinEdit1()->lineEdit()->selectedText(), QStringLiteral("2"));
        }
    }

    void mouseClickIntoTheEditBoxOnlyPlacesTheCaret() {
        QTest::mouseClick(edit1(), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(focusedControl(), edit1());
        QVERIFY(!edit1()->hasSelectedText());
    }

    void enterAndSpacePressOnlyTheFocusedButton() {
        clock_.set(kMidnight);
        for (QWidget* target :
             {static_cast<QWidget*>(edit1()), static_cast<QWidget*>(checkBox1())}) {
            pressOn(target, Qt::Key_Return);
        }
        pressOn(button1(), Qt::Key_Return, Qt::ShiftModifier);
        pressOn(button1(), Qt::Key_Escape);
        QCOMPARE(edit1()->text(), QStringLiteral("チリイヂヨ"));
        QVERIFY(!checkBox1()->isChecked());
        QVERIFY(form_->isVisible());

        pressOn(button2(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(form_->stock()->list().entries().size(), 1);
        pressOn(button1(), Qt::Key_Space);
        QCOMPARE(edit1()->text(), QStringLiteral("イスィ"));
        pressOn(checkBox1(), Qt::Key_Space);
        QVERIFY(checkBox1()->isChecked());
        pressOn(edit1(), Qt::Key_Space);
        QVERIFY(edit1()->text().contains(u' '));
    }

    void focusedPushButtonIsDrawnAsDefault() {
        QVERIFY(button1()->isDefault());
        QVERIFY(!button2()->isDefault());
        pressOn(edit1(), Qt::Key_Tab);
        QVERIFY(!button1()->isDefault());
        QVERIFY(!button2()->isDefault());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(button2()->isDefault());
    }

    void labelAndCheckBoxChangeNothingElse() {
        QTest::mouseClick(control<QLabel>("Label1"), Qt::LeftButton);
        QVERIFY(!checkBox1()->isChecked());
        QTest::mouseClick(checkBox1(), Qt::LeftButton);
        QVERIFY(checkBox1()->isChecked());
        QVERIFY(spinEdit1()->isEnabled());
        QCOMPARE(edit1()->text(), QStringLiteral("チリイヂヨ"));
    }

    void wholeCheckBoxToggles() {
        QCheckBox* box = checkBox1();
        QList<QPoint> points{QPoint(box->width() - 1, 0),
                             QPoint(box->width() - 1, box->height() - 1)};
        // Client point 15,50 lies beside the drawn square at 96 dpi with the fallback font.
        if (QFontInfo(form_->font()).family() == QStringLiteral("IPAPGothic")) {
            points.append(box->mapFrom(form_.get(), QPoint(15, 50)));
        }
        for (const QPoint point : points) {
            QVERIFY(box->rect().contains(point));
            const bool before = box->isChecked();
            QTest::mouseClick(box, Qt::LeftButton, {}, point);
            QVERIFY2(box->isChecked() != before,
                     qPrintable(QStringLiteral("%1,%2").arg(point.x()).arg(point.y())));
        }
        QTest::keyClick(box, Qt::Key_Space);
        QVERIFY(!box->isChecked());
    }

    void speaksQtsOwnTextsInJapanese_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("expected");
        const QStringList editMenu{QStringLiteral("元に戻す(&U)"), QStringLiteral("やり直す(&R)"),
                                   QStringLiteral("切り取り(&T)"), QStringLiteral("コピー(&C)"),
                                   QStringLiteral("貼り付け(&P)"), QStringLiteral("削除"),
                                   QStringLiteral("すべてを選択")};
        QTest::newRow("name box menu") << "Edit1" << editMenu;
        QTest::newRow("spin box menu") << "spinText" << editMenu;
        QTest::newRow("error box") << "" << QStringList{QStringLiteral("OK")};
    }
    void speaksQtsOwnTextsInJapanese() {
        QFETCH(QString, source);
        QStringList texts;
        if (source.isEmpty()) {
            QMessageBox box(QMessageBox::Critical, QString(), QString(), QMessageBox::Ok);
            texts.append(box.button(QMessageBox::Ok)->text());
        } else {
            texts = menuTexts(form_->findChild<QLineEdit*>(source)->createStandardContextMenu());
        }
        QTEST(texts, "expected");
    }

    void screenReadersHearEachControl_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::newRow("name box") << "Edit1" << int(QAccessible::EditableText) << "名前"
                                  << "チリイヂヨ";
        QTest::newRow("generate") << "Button1" << int(QAccessible::Button) << "命名！"
                                  << "";
        QTest::newRow("check box") << "CheckBox1" << int(QAccessible::CheckBox) << "文字数指定"
                                   << "";
        QTest::newRow("stock") << "Button2" << int(QAccessible::Button) << "ストック"
                               << "";
        QTest::newRow("spin box") << "SpinEdit1" << int(QAccessible::SpinBox) << "文字数"
                                  << "2";
        QTest::newRow("up arrow") << "upArrow" << int(QAccessible::Button) << "増やす"
                                  << "";
        QTest::newRow("down arrow") << "downArrow" << int(QAccessible::Button) << "減らす"
                                    << "";
    }
    void screenReadersHearEachControl() {
        QFETCH(QString, control);
        QAccessibleInterface* face =
            QAccessible::queryAccessibleInterface(form_->findChild<QWidget*>(control));
        QVERIFY(face != nullptr);
        QTEST(int(face->role()), "role");
        QTEST(face->text(QAccessible::Name), "name");
        QVERIFY(!face->text(QAccessible::Description).isEmpty());
        QTEST(face->text(QAccessible::Value), "value");
    }

    void spinBoxReadsAsASpinBox() {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(spinEdit1());
        QAccessibleValueInterface* value = face->valueInterface();
        QVERIFY(value != nullptr);
        QCOMPARE(face->text(QAccessible::Description),
                 QStringLiteral("名前の文字数、2 から 8 まで"));
        QCOMPARE(value->minimumValue().toInt(), 2);
        QCOMPARE(value->maximumValue().toInt(), 8);
        QCOMPARE(value->minimumStepSize().toInt(), 1);

        value->setCurrentValue(12);
        QCOMPARE(spinEdit1()->text(), QStringLiteral("8"));
        face->actionInterface()->doAction(QAccessibleActionInterface::decreaseAction());
        QCOMPARE(spinEdit1()->text(), QStringLiteral("7"));
        QAccessible::queryAccessibleInterface(form_->findChild<QWidget*>(QStringLiteral("upArrow")))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(value->currentValue().toInt(), 8);
        spinEdit1()->setText(QStringLiteral("x"));
        QCOMPARE(value->currentValue().toInt(), 2);
        QCOMPARE(face->text(QAccessible::Value), QStringLiteral("x"));
    }

    void stocksTheEditedTextOnce() {
        edit1()->setText(QStringLiteral("テスト～－ー"));
        QTest::mouseClick(button2(), Qt::LeftButton);
        QTest::mouseClick(button2(), Qt::LeftButton);
        QCOMPARE(stockFileBytes(),
                 QByteArray("\x83\x65\x83\x58\x83\x67\x81\x60\x81\x7c\x81\x5b\r\n"));
        QTest::mouseClick(button1(), Qt::LeftButton);
        QCOMPARE(edit1()->text(), QStringLiteral("チリイヂヨ"));
        QTest::mouseClick(button2(), Qt::LeftButton);
        QCOMPARE(form_->stock()->list().entries().size(), 2);
    }

    void pastedLineBreaksAndNulNeverReachTheStock() {
        // A NUL would cut the entry short where the file is read back.
        QApplication::clipboard()->setText(QStringLiteral("アイ\nウ\r\nエ\u2029オ") + QChar(0) +
                                           QStringLiteral("カ"));
        pressOn(edit1(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit1(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit1()->text(), QStringLiteral("アイ ウ  エ オ カ"));
        QTest::mouseClick(button2(), Qt::LeftButton);
        QCOMPARE(stockFileBytes().count("\r\n"), 1);
        QVERIFY(stockFileBytes().endsWith("\x83\x4A\r\n"));

        const QString longText(40000, u'ア');
        QApplication::clipboard()->setText(longText);
        pressOn(edit1(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit1(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit1()->text(), longText);
    }

    void failingStocksGiveOneBoxEachAndTheWindowGoesOn() {
        RecordedErrorBoxes boxes;
        QVERIFY(QDir::current().mkdir(QString::fromUtf8(StockList::kFileName)));
        QTest::mouseClick(button2(), Qt::LeftButton);
        QTest::mouseClick(button2(), Qt::LeftButton);
        QCOMPARE(boxes.texts.size(), 2);
        QVERIFY(boxes.texts.at(0).endsWith(QStringLiteral("を作成できません.")));
        QCOMPARE(boxes.parents.value(0), form_.get());
        QVERIFY(QDir::current().rmdir(QString::fromUtf8(StockList::kFileName)));
        QTest::mouseClick(button2(), Qt::LeftButton);
        QCOMPARE(stockFileBytes(), QByteArray("\x83\x60\x83\x8a\x83\x43\x83\x61\x83\x88\r\n"));
    }

    void closingOnlyAsksTheLoopToEnd() {
        QTimer::singleShot(0, form_.get(), [this] { form_->close(); });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(form_->isVisible());
        tearDown(*form_);
        QVERIFY(!form_->isVisible());
        // The tables are gone, so no name can be drawn any more.
        clock_.set(kMidnight);
        form_->Button1Click();
        QCOMPARE(edit1()->text(), QStringLiteral("チリイヂヨ"));
    }
};

int main(int argc, char** argv) {
    GuardedApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (!installQtJapanese(application)) {
        qWarning("Qt's Japanese translation (qt6-translations-l10n) is not installed");
    }
    TestForm1 test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestForm1.moc"
