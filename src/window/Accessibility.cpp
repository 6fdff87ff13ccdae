#include "window/Accessibility.h"

#include "spinedit/TSpinEdit.h"
#include "window/TForm1.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>

namespace kanatsumugi {

namespace {

void describe(QWidget* control, const QString& name, const QString& description) {
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}

// Screen readers name the application by its title, not by the ASCII name of its files.
class TitledApplication : public QAccessibleApplication {
public:
    [[nodiscard]] QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Name) {
            return QGuiApplication::applicationDisplayName();
        }
        return QAccessibleApplication::text(type);
    }
};

// A plain widget reads as a filler; the program's window is a frame, as a main window is.
QAccessibleInterface* titledApplicationAndFrame(const QString& /*className*/, QObject* object) {
    if (object == QCoreApplication::instance()) {
        return new TitledApplication;
    }
    if (auto* form = qobject_cast<TForm1*>(object)) {
        return new QAccessibleWidget(form, QAccessible::Window);
    }
    return nullptr;
}

// Gives a button its own description back when the focus leaves it.
class DescriptionKeeper : public QObject {
public:
    explicit DescriptionKeeper(QWidget* control)
        : QObject(control)
        , description_(control->accessibleDescription()) {
        control->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) {
            static_cast<QWidget*>(watched)->setAccessibleDescription(description_);
        }
        return false;
    }

private:
    QString description_;
};

} // namespace

void announceOutcome(QPushButton* button, const QString& outcome) {
    // Cleared first, so that the same outcome twice is still a change.
    button->setAccessibleDescription(QString());
    button->setAccessibleDescription(outcome);
}

void describeForScreenReaders(QLineEdit* nameBox, QPushButton* generateButton, QCheckBox* fixLength,
                              QPushButton* stockButton, TSpinEdit* length) {
    static const bool frameInstalled = [] {
        QAccessible::installFactory(titledApplicationAndFrame);
        return true;
    }();
    Q_UNUSED(frameInstalled);
    describe(nameBox, QStringLiteral("名前"),
             QStringLiteral("作った名前です。書き換えてからストックすることもできます"));
    describe(generateButton, QStringLiteral("命名！"), QStringLiteral("新しい名前を作ります"));
    describe(fixLength, QStringLiteral("文字数指定"),
             QStringLiteral("チェックすると、次の名前を文字数の欄の長さで作ります"));
    describe(stockButton, QStringLiteral("ストック"),
             QStringLiteral("名前を「今まで名付けた名前.txt」に書き足します"));
    new DescriptionKeeper(generateButton);
    new DescriptionKeeper(stockButton);
    const QString lengthDescription = QStringLiteral("名前の文字数、%1 から %2 まで")
                                          .arg(length->MinValue())
                                          .arg(length->MaxValue());
    describe(length, QStringLiteral("文字数"), lengthDescription);
    // The text part under the spin box, found by a screen reader inside it, has the same name.
    describe(length->lineEdit(), QStringLiteral("文字数"), lengthDescription);
    describe(length->findChild<QWidget*>(QStringLiteral("upArrow")), QStringLiteral("増やす"),
             QStringLiteral("文字数を 1 増やします"));
    describe(length->findChild<QWidget*>(QStringLiteral("downArrow")), QStringLiteral("減らす"),
             QStringLiteral("文字数を 1 減らします"));
}

} // namespace kanatsumugi
