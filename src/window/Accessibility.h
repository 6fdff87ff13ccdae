#pragma once

class QCheckBox;
class QLineEdit;
class QPushButton;
class QString;
class QWidget;

namespace kanatsumugi {

class TSpinEdit;

// The window's controls as a screen reader meets them, in Japanese: a name and a
// description for each, the check box named after the separate label that stands where
// its caption would. The spin box reads as a spin box (value, range, steps) by itself.
// The window reads as a frame. Changes nothing a sighted user sees or does.
void describeForScreenReaders(QLineEdit* nameBox, QPushButton* generateButton, QCheckBox* fixLength,
                              QPushButton* stockButton, TSpinEdit* length);

// Tells screen readers `text` while the focus stays where it is: a notice, an empty widget
// of no size in `window`, is shown with the text as its name, and screen readers present
// a notice as it appears. Nothing changes for a sighted user.
void announceToScreenReaders(QWidget* window, const QString& text);

} // namespace kanatsumugi
