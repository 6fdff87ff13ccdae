#pragma once

#include <QWidget>

#include <cstdint>

class QLineEdit;

namespace kanatsumugi {

class SpinArrowButton;

// The length spin box: a line edit that filters typed characters, with an up/down
// arrow pair at its right edge. It holds text; Value is derived from the text when
// read and never raises an error.
class TSpinEdit : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int MinValue READ MinValue WRITE setMinValue)
    Q_PROPERTY(int MaxValue READ MaxValue WRITE setMaxValue)
    Q_PROPERTY(int Increment READ Increment WRITE setIncrement)
    Q_PROPERTY(int Value READ Value WRITE setValue)

public:
    // Width of the arrow strip inside the border, as designed.
    static constexpr int arrowStripWidth = 15;

    explicit TSpinEdit(QWidget* parent = nullptr);

    // The text as a signed 32-bit number; MinValue when it does not convert. Never clamps.
    [[nodiscard]] std::int32_t Value() const;
    // Clamps to MinValue..MaxValue and rewrites the text in plain decimal.
    void setValue(std::int32_t value);

    [[nodiscard]] std::int32_t MinValue() const { return minValue_; }
    void setMinValue(std::int32_t value) { minValue_ = value; }
    [[nodiscard]] std::int32_t MaxValue() const { return maxValue_; }
    void setMaxValue(std::int32_t value) { maxValue_ = value; }
    [[nodiscard]] std::int32_t Increment() const { return increment_; }
    void setIncrement(std::int32_t value) { increment_ = value; }

    [[nodiscard]] QString text() const;
    void setText(const QString& text);
    [[nodiscard]] QLineEdit* lineEdit() const { return edit_; }

    // Scales the arrow strip's width by `factor` and the arrow glyphs by its nearest whole
    // multiple, as the window scales its layout.
    void setArrowScale(double factor);

    // Clamps the text only when clamping changes the value; run as the focus leaves.
    void commit();

    // Steps by Increment (direction +1) or -Increment (-1) through setValue, then selects
    // the text, as the Up and Down keys and the arrows do.
    void stepBy(int direction);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    [[nodiscard]] std::int32_t clamped(std::int64_t value) const;
    [[nodiscard]] int frameWidth() const;
    void layoutParts();
    void enterFromArrow();

    QLineEdit* edit_ = nullptr;
    SpinArrowButton* upArrow_ = nullptr;
    SpinArrowButton* downArrow_ = nullptr;
    std::int32_t minValue_ = 0;
    std::int32_t maxValue_ = 100;
    std::int32_t increment_ = 1;
    int stripWidth_ = arrowStripWidth;
};

} // namespace kanatsumugi
