#pragma once

#include <QTimer>
#include <QWidget>

namespace kanatsumugi {

// One arrow button of the spin box. It never takes the focus. The primary button
// presses it; a release over it steps once, and while it is held and shown pressed it
// steps 400 ms after the press and then every 100 ms. Moving off pauses the steps,
// moving back resumes them, and a release elsewhere makes no step.
// Not a QAbstractButton with setAutoRepeat: its repeat timer is a coarse one, which may
// fire up to 5% early, and the first step must never come before 400 ms.
class SpinArrowButton : public QWidget {
    Q_OBJECT

public:
    enum class Direction { Up, Down };

    static constexpr int firstRepeatDelayMs = 400;
    static constexpr int repeatIntervalMs = 100;
    // The arrow glyph's box; the triangle inside it is 7 wide and 4 high.
    static constexpr int glyphWidth = 9;
    static constexpr int glyphHeight = 6;

    explicit SpinArrowButton(Direction direction, QWidget* parent = nullptr);

    [[nodiscard]] Direction direction() const { return direction_; }
    // Each pixel of the glyph becomes a square of `scale` pixels; whole multiples keep the
    // triangle's edges sharp.
    void setGlyphScale(int scale);
    [[nodiscard]] bool isShownPressed() const { return shownPressed_; }

signals:
    // The primary button went down on the arrow.
    void pressed();
    void stepRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void repeatTick();
    void setShownPressed(bool shown);
    void stopHolding();
    void paintTriangle(QPainter& painter) const;

    Direction direction_;
    int glyphScale_ = 1;
    bool held_ = false;
    bool shownPressed_ = false;
    QTimer repeatTimer_;
};

} // namespace kanatsumugi
