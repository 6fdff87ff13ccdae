#include "window/Accessibility.h"

#include "spinedit/TSpinEdit.h"
#include "window/TForm1.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>

namespace kanatsumugi {

namespace {

void describe(QWidget* control, const QString& name, const QString& description) {
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}

const QString kNoticeName = QStringLiteral("screenReaderNotice");

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

// A plain widget reads as a filler; the program's window is a frame, as a main window is,
// and the notice a notification, which screen readers present as it appears.
QAccessibleInterface* titledApplicationFrameAndNotice(const QString& /*className*/,
                                                      QObject* object) {
    if (object == QCoreApplication::instance()) {
        return new TitledApplication;
    }
    if (auto* form = qobject_cast<TForm1*>(object)) {
        return new QAccessibleWidget(form, QAccessible::Window);
    }
    if (object->objectName() == kNoticeName && object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    }
    return nullptr;
}

} // namespace

void announceToScreenReaders(QWidget* window, const QString& text) {
    auto* notice = window->findChild<QWidget*>(kNoticeName, Qt::FindDirectChildrenOnly);
    if (notice == nullptr) {
        notice = new QWidget(window);
        notice->setObjectName(kNoticeName);
        notice->setFixedSize(0, 0);
    }
    notice->hide();
    notice->setAccessibleName(text);
    notice->show();
}

void describeForScreenReaders(QLineEdit* nameBox, QPushButton* generateButton, QCheckBox* fixLength,
                              QPushButton* stockButton, TSpinEdit* length) {
    static const bool frameInstalled = [] {
        QAccessible::installFactory(titledApplicationFrameAndNotice);
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
    const QString lengthDescription = QStringLiteral("名前の文字数、%1 から %2 まで")
                                          .arg(length->MinValue())
                                          .arg(length->MaxValue());
    describe(length, QStringLiteral("文字数"), lengthDescription);
    describe(length->findChild<QWidget*>(QStringLiteral("upArrow")), QStringLiteral("増やす"),
             QStringLiteral("文字数を 1 増やします"));
    describe(length->findChild<QWidget*>(QStringLiteral("downArrow")), QStringLiteral("減らす"),
             QStringLiteral("文字数を 1 減らします"));
}

} // namespace kanatsumugi
