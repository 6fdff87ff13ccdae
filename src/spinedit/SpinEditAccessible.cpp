#include "spinedit/SpinEditAccessible.h"

#include "spinedit/SpinArrowButton.h"
#include "spinedit/SpinLineEdit.h"
#include "spinedit/TSpinEdit.h"

#include <QAccessible>
#include <QAccessibleWidget>

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

} // namespace

QAccessibleInterface* spinEditAccessible(const QString& /*className*/, QObject* object) {
    if (auto* spinEdit = qobject_cast<TSpinEdit*>(object)) {
        return new SpinEditAccessible(spinEdit);
    }
    // The text area is part of the spin button, as in Qt's own spin boxes: a screen reader
    // meets one focused object and its value, not a second, focused text field inside it.
    if (auto* text = qobject_cast<SpinLineEdit*>(object)) {
        return new QAccessibleWidget(text);
    }
    if (auto* arrow = qobject_cast<SpinArrowButton*>(object)) {
        return new SpinArrowAccessible(arrow);
    }
    return nullptr;
}

} // namespace kanatsumugi
