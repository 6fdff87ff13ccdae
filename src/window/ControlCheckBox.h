#pragma once

#include <QCheckBox>

namespace kanatsumugi {

// A check box without a caption whose whole rectangle is the clickable control, not only
// the drawn square: the window's caption stands beside it as a separate label, so the
// style's own click area would shrink to the square.
class ControlCheckBox : public QCheckBox {
    Q_OBJECT

public:
    explicit ControlCheckBox(QWidget* parent = nullptr);

protected:
    [[nodiscard]] bool hitButton(const QPoint& pos) const override;
};

} // namespace kanatsumugi
