#pragma once

class QCheckBox;
class QLineEdit;
class QPushButton;
class QString;

namespace kanatsumugi {

class TSpinEdit;

// The window's controls as a screen reader meets them, in Japanese: a name and a
// description for each, the check box named after the separate label that stands where
// its caption would. The spin box reads as a spin box (value, range, steps) by itself.
// The window reads as a frame. Changes nothing a sighted user sees or does.
void describeForScreenReaders(QLineEdit* nameBox, QPushButton* generateButton, QCheckBox* fixLength,
                              QPushButton* stockButton, TSpinEdit* length);

// Tells a screen reader what a press of `button` did while the focus stays on it: the text
// becomes the button's description, whose change screen readers present for the focused
// object. The button's own description comes back when the focus leaves it.
void announceOutcome(QPushButton* button, const QString& outcome);

} // namespace kanatsumugi
