#include "window/Accessibility.h"

#include "spinedit/SpinArrowButton.h"
#include "spinedit/TSpinEdit.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace kanatsumugi {

namespace {

// The spin box as Qt's own spin boxes present themselves: role, value with its range,
// and the increase and decrease actions.
class SpinEditAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SpinEditAccessible(TSpinEdit* spinEdit)
        : QAccessibleWidget(spinEdit, QAccessible::SpinBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    [[nodiscard]] QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Value) {
            return spinEdit()->text();
        }
        return QAccessibleWidget::text(type);
    }

    [[nodiscard]] QVariant currentValue() const override { return spinEdit()->Value(); }
    void setCurrentValue(const QVariant& value) override { spinEdit()->setValue(value.toInt()); }
    [[nodiscard]] QVariant maximumValue() const override { return spinEdit()->MaxValue(); }
    [[nodiscard]] QVariant minimumValue() const override { return spinEdit()->MinValue(); }
    [[nodiscard]] QVariant minimumStepSize() const override { return spinEdit()->Increment(); }

    [[nodiscard]] QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << QAccessibleActionInterface::increaseAction()
                                                << QAccessibleActionInterface::decreaseAction();
    }
    void doAction(const QString& actionName) override {
        if (actionName == QAccessibleActionInterface::increaseAction()) {
            spinEdit()->stepBy(+1);
        } else if (actionName == QAccessibleActionInterface::decreaseAction()) {
            spinEdit()->stepBy(-1);
        } else {
            QAccessibleWidget::doAction(actionName);
        }
    }

private:
    [[nodiscard]] TSpinEdit* spinEdit() const { return static_cast<TSpinEdit*>(widget()); }
};

// An arrow never takes the focus, so a screen reader presses it through its action.
class SpinArrowAccessible : public QAccessibleWidget {
public:
    explicit SpinArrowAccessible(SpinArrowButton* arrow)
        : QAccessibleWidget(arrow, QAccessible::Button) {}

    [[nodiscard]] QStringList actionNames() const override {
        return {QAccessibleActionInterface::pressAction()};
    }
    void doAction(const QString& actionName) override {
        auto* spinEdit = qobject_cast<TSpinEdit*>(widget()->parentWidget());
        if (actionName != QAccessibleActionInterface::pressAction() || spinEdit == nullptr) {
            return;
        }
        const auto* arrow = static_cast<SpinArrowButton*>(widget());
        spinEdit->stepBy(arrow->direction() == SpinArrowButton::Direction::Up ? +1 : -1);
    }
};

QAccessibleInterface* spinEditInterfaces(const QString& /*className*/, QObject* object) {
    if (auto* spinEdit = qobject_cast<TSpinEdit*>(object)) {
        return new SpinEditAccessible(spinEdit);
    }
    if (auto* arrow = qobject_cast<SpinArrowButton*>(object)) {
        return new SpinArrowAccessible(arrow);
    }
    return nullptr;
}

void describe(QWidget* control, const QString& name, const QString& description) {
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}

} // namespace

void describeForScreenReaders(QLineEdit* nameBox, QPushButton* generateButton, QCheckBox* fixLength,
                              QPushButton* stockButton, TSpinEdit* length) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(spinEditInterfaces);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

    describe(nameBox, QStringLiteral("名前"),
             QStringLiteral("作った名前です。書き換えてからストックすることもできます"));
    describe(generateButton, QStringLiteral("命名！"), QStringLiteral("新しい名前を作ります"));
    describe(fixLength, QStringLiteral("文字数指定"),
             QStringLiteral("チェックすると、次の名前を文字数の欄の長さで作ります"));
    describe(stockButton, QStringLiteral("ストック"),
             QStringLiteral("名前を「今まで名付けた名前.txt」に書き足します"));
    const QString lengthDescription = QStringLiteral("名前の文字数、%1 から %2 まで")
                                          .arg(length->MinValue())
                                          .arg(length->MaxValue());
    describe(length, QStringLiteral("文字数"), lengthDescription);
    // The focus rests in the text part, so a screen reader announces it by the same name.
    describe(length->lineEdit(), QStringLiteral("文字数"), lengthDescription);
    for (auto* arrow : length->findChildren<SpinArrowButton*>()) {
        if (arrow->direction() == SpinArrowButton::Direction::Up) {
            describe(arrow, QStringLiteral("増やす"), QStringLiteral("文字数を 1 増やします"));
        } else {
            describe(arrow, QStringLiteral("減らす"), QStringLiteral("文字数を 1 減らします"));
        }
    }

    QObject::connect(length->lineEdit(), &QLineEdit::textChanged, length, [length] {
        QAccessibleValueChangeEvent event(length, length->Value());
        QAccessible::updateAccessibility(&event);
    });
}

} // namespace kanatsumugi
