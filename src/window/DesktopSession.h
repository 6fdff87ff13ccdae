#pragma once

class QCoreApplication;

namespace kanatsumugi {

// Loads Qt's own Japanese texts (context menus, standard buttons) whatever the locale,
// since the program's own text is Japanese throughout. False when the translation is
// not installed; Qt's texts then stay English.
bool installQtJapanese(QCoreApplication& application);

// Before the application object exists: when an X display is there too, the window
// goes through X11 (XWayland under a Wayland session) rather than natively on Wayland,
// unless the user chose a platform. Only X11 honours the window's designed position and
// gives it the desktop's own dialog frame.
void preferX11WhenBothAvailable();

} // namespace kanatsumugi
