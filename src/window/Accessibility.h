#pragma once

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kanatsumugi {

class TSpinEdit;

// The window's controls as a screen reader meets them, in Japanese: a name and a
// description for each, the check box named after the separate label that stands where
// its caption would. The spin box reads as a spin box (value, range, steps) by itself.
// Changes nothing a sighted user sees or does.
void describeForScreenReaders(QLineEdit* nameBox, QPushButton* generateButton, QCheckBox* fixLength,
                              QPushButton* stockButton, TSpinEdit* length);

} // namespace kanatsumugi
