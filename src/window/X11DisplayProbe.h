#pragma once

#include <optional>
#include <string>

struct xcb_connection_t;

namespace kanatsumugi {

// Opens a connection to the X display that Qt is about to use, so that an unreachable
// display is told in one line instead of Qt's abort. Holding the connection until Qt
// has its own keeps a lone Xvfb from resetting in between.
class X11DisplayProbe {
public:
    // Probes only when X11 will be used: DISPLAY set, no Wayland display, no platform chosen.
    X11DisplayProbe();
    ~X11DisplayProbe();

    X11DisplayProbe(const X11DisplayProbe&) = delete;
    X11DisplayProbe& operator=(const X11DisplayProbe&) = delete;

    // The line to print when the display could not be opened.
    std::optional<std::string> failureMessage() const;

private:
    xcb_connection_t* connection_ = nullptr;
    std::string display_;
    bool failed_ = false;
};

} // namespace kanatsumugi
