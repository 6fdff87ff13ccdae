#include "window/ControlCheckBox.h"

namespace kanatsumugi {

ControlCheckBox::ControlCheckBox(QWidget* parent)
    : QCheckBox(parent) {}

bool ControlCheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

} // namespace kanatsumugi
