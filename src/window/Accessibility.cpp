#include "window/Accessibility.h"

#include "spinedit/TSpinEdit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace kanatsumugi {

namespace {

void describe(QWidget* control, const QString& name, const QString& description) {
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}

} // namespace

void describeForScreenReaders(QLineEdit* nameBox, QPushButton* generateButton, QCheckBox* fixLength,
                              QPushButton* stockButton, TSpinEdit* length) {
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
    describe(length->findChild<QWidget*>(QStringLiteral("upArrow")), QStringLiteral("増やす"),
             QStringLiteral("文字数を 1 増やします"));
    describe(length->findChild<QWidget*>(QStringLiteral("downArrow")), QStringLiteral("減らす"),
             QStringLiteral("文字数を 1 減らします"));
}

} // namespace kanatsumugi
