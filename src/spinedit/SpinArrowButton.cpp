#include "spinedit/SpinArrowButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace kanatsumugi {

SpinArrowButton::SpinArrowButton(Direction direction, QWidget* parent)
    : QWidget(parent)
    , direction_(direction) {
    setFocusPolicy(Qt::NoFocus);
    // A coarse timer may fire up to 5% early; the first step must not come before 400 ms.
    repeatTimer_.setTimerType(Qt::PreciseTimer);
    connect(&repeatTimer_, &QTimer::timeout, this, &SpinArrowButton::repeatTick);
}

void SpinArrowButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    option.state |= shownPressed_ ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, this);
    paintTriangle(painter);
}

void SpinArrowButton::setGlyphScale(int scale) {
    glyphScale_ = std::max(1, scale);
    update();
}

// Rows 1, 3, 5 and 7 pixels wide, centred in the 9 x 6 glyph box that is centred here.
void SpinArrowButton::paintTriangle(QPainter& painter) const {
    const int s = glyphScale_;
    const int glyphLeft = (width() - glyphWidth * s) / 2;
    const int glyphTop = (height() - glyphHeight * s) / 2;
    const int centreX = glyphLeft + (glyphWidth / 2) * s;
    const QColor colour = palette().color(QPalette::ButtonText);
    constexpr int rows = 4;
    for (int row = 0; row < rows; ++row) {
        const int halfWidth = (direction_ == Direction::Up ? row : rows - 1 - row) * s;
        painter.fillRect(centreX - halfWidth, glyphTop + (1 + row) * s, 2 * halfWidth + s, s,
                         colour);
    }
}

void SpinArrowButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || held_) {
        event->ignore();
        return;
    }
    held_ = true;
    setShownPressed(true);
    repeatTimer_.start(firstRepeatDelayMs);
    emit pressed();
}

void SpinArrowButton::mouseMoveEvent(QMouseEvent* event) {
    if (!held_) {
        event->ignore();
        return;
    }
    setShownPressed(rect().contains(event->position().toPoint()));
}

void SpinArrowButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !held_) {
        event->ignore();
        return;
    }
    const bool overArrow = rect().contains(event->position().toPoint());
    stopHolding();
    if (overArrow) {
        emit stepRequested();
    }
}

void SpinArrowButton::hideEvent(QHideEvent* event) {
    stopHolding();
    QWidget::hideEvent(event);
}

// The timer keeps its 100 ms beat while the pointer is off the arrow, so moving back
// resumes the steps on the next beat. Only the first tick re-arms it: re-arming on every
// tick would add each tick's delivery delay to all later ones.
void SpinArrowButton::repeatTick() {
    if (repeatTimer_.interval() != repeatIntervalMs) {
        repeatTimer_.setInterval(repeatIntervalMs);
    }
    if (shownPressed_) {
        emit stepRequested();
    }
}

void SpinArrowButton::setShownPressed(bool shown) {
    if (shownPressed_ != shown) {
        shownPressed_ = shown;
        update();
    }
}

void SpinArrowButton::stopHolding() {
    held_ = false;
    repeatTimer_.stop();
    setShownPressed(false);
}

} // namespace kanatsumugi
