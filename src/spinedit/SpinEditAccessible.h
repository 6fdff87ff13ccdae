#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace kanatsumugi {

// The accessibility factory of the spin box's parts: TSpinEdit reads as Qt's own spin
// boxes do (role, value with its range, increase and decrease), and each arrow as a
// button a screen reader can press. TSpinEdit installs it once.
QAccessibleInterface* spinEditAccessible(const QString& className, QObject* object);

} // namespace kanatsumugi
