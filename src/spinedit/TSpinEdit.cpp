#include "spinedit/TSpinEdit.h"

#include "spinedit/SpinArrowButton.h"
#include "spinedit/SpinEditAccessible.h"
#include "spinedit/SpinLineEdit.h"
#include "spinedit/SpinText.h"

#include <QAccessible>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace kanatsumugi {

TSpinEdit::TSpinEdit(QWidget* parent)
    : QWidget(parent) {
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(spinEditAccessible);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);

    auto* edit = new SpinLineEdit(this);
    edit->setObjectName(QStringLiteral("spinText"));
    edit->setFrame(false);
    edit_ = edit;

    upArrow_ = new SpinArrowButton(SpinArrowButton::Direction::Up, this);
    upArrow_->setObjectName(QStringLiteral("upArrow"));
    downArrow_ = new SpinArrowButton(SpinArrowButton::Direction::Down, this);
    downArrow_->setObjectName(QStringLiteral("downArrow"));

    // The spin box itself holds the focus, as Qt's own spin boxes do, so that screen readers
    // meet a spin button; it hands keys, input-method text and focus changes to the text
    // area, whose click focus comes here. No click focus of its own: a press of another
    // mouse button on an arrow would otherwise pull the focus in.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    edit->setFocusProxy(this);

    connect(edit, &SpinLineEdit::stepRequested, this, &TSpinEdit::stepBy);
    connect(edit, &SpinLineEdit::focusLeftForControl, this, &TSpinEdit::commit);
    connect(upArrow_, &SpinArrowButton::pressed, this, &TSpinEdit::enterFromArrow);
    connect(downArrow_, &SpinArrowButton::pressed, this, &TSpinEdit::enterFromArrow);
    connect(upArrow_, &SpinArrowButton::stepRequested, this, [this] { stepBy(+1); });
    connect(downArrow_, &SpinArrowButton::stepRequested, this, [this] { stepBy(-1); });
    layoutParts();
    setValue(0);
    // A screen reader hears each change of the value, as from Qt's own spin boxes;
    // connected last, so that none is sent for the half-built spin box.
    connect(edit, &QLineEdit::textChanged, this, [this] {
        QAccessibleValueChangeEvent event(this, Value());
        QAccessible::updateAccessibility(&event);
    });
}

std::int32_t TSpinEdit::Value() const {
    return parseSpinText(edit_->text()).value_or(minValue_);
}

void TSpinEdit::setValue(std::int32_t value) {
    edit_->setText(QString::number(clamped(value)));
}

QString TSpinEdit::text() const {
    return edit_->text();
}

void TSpinEdit::setText(const QString& text) {
    edit_->setText(text);
}

void TSpinEdit::setArrowScale(double factor) {
    stripWidth_ = qRound(arrowStripWidth * factor);
    upArrow_->setGlyphScale(qRound(factor));
    downArrow_->setGlyphScale(qRound(factor));
    layoutParts();
}

void TSpinEdit::commit() {
    const std::int32_t value = Value();
    if (clamped(value) != value) {
        setValue(value);
    }
}

void TSpinEdit::stepBy(int direction) {
    // In 64 bits, so that stepping from the far ends of the 32-bit range cannot overflow.
    setValue(clamped(std::int64_t{Value()} + std::int64_t{direction} * increment_));
    edit_->selectAll();
}

// The lower bound wins should the bounds ever cross.
std::int32_t TSpinEdit::clamped(std::int64_t value) const {
    if (value > maxValue_) {
        value = maxValue_;
    }
    if (value < minValue_) {
        value = minValue_;
    }
    return static_cast<std::int32_t>(value);
}

void TSpinEdit::enterFromArrow() {
    setFocus(Qt::MouseFocusReason);
    edit_->selectAll();
}

int TSpinEdit::frameWidth() const {
    QStyleOptionFrame option;
    option.initFrom(this);
    return style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
}

QSize TSpinEdit::sizeHint() const {
    const int frame = 2 * frameWidth();
    const QFontMetrics metrics = fontMetrics();
    // Room for two digits and the line edit's own margins.
    const int textWidth = 2 * metrics.horizontalAdvance(QLatin1Char('0')) + 4;
    return {frame + textWidth + stripWidth_, frame + metrics.height() + 4};
}

QSize TSpinEdit::minimumSizeHint() const {
    const int frame = 2 * frameWidth();
    return {frame + stripWidth_ + 1, frame + 2 * SpinArrowButton::glyphHeight};
}

void TSpinEdit::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QStyleOptionFrame option;
    option.initFrom(this);
    option.lineWidth = frameWidth();
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
}

bool TSpinEdit::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        return edit_->event(event);
    }
    return QWidget::event(event);
}

void TSpinEdit::keyPressEvent(QKeyEvent* event) {
    edit_->event(event);
}

void TSpinEdit::keyReleaseEvent(QKeyEvent* event) {
    edit_->event(event);
}

void TSpinEdit::inputMethodEvent(QInputMethodEvent* event) {
    edit_->event(event);
}

// Rectangles such as the caret's are the text area's; the input method places its window
// by them in the spin box's coordinates.
QVariant TSpinEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
    QVariant answer = edit_->inputMethodQuery(query);
    if (answer.userType() == QMetaType::QRect) {
        return answer.toRect().translated(edit_->pos());
    }
    if (answer.userType() == QMetaType::QRectF) {
        return answer.toRectF().translated(edit_->pos());
    }
    return answer;
}

void TSpinEdit::focusInEvent(QFocusEvent* event) {
    edit_->event(event);
    QWidget::focusInEvent(event);
}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
    edit_->event(event);
    QWidget::focusOutEvent(event);
}

void TSpinEdit::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutParts();
}

// The text area fills the inside of the border left of the strip; the strip holds the
// up arrow over the down arrow, each half its height.
void TSpinEdit::layoutParts() {
    const int frame = frameWidth();
    const QRect inside = rect().adjusted(frame, frame, -frame, -frame);
    const int stripWidth = std::min(stripWidth_, inside.width());
    const int stripLeft = inside.right() + 1 - stripWidth;
    const int upHeight = inside.height() / 2;
    upArrow_->setGeometry(stripLeft, inside.top(), stripWidth, upHeight);
    downArrow_->setGeometry(stripLeft, inside.top() + upHeight, stripWidth,
                            inside.height() - upHeight);
    edit_->setGeometry(inside.left(), inside.top(), inside.width() - stripWidth, inside.height());
}

} // namespace kanatsumugi
