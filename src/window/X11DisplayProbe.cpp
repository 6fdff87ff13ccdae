#include "X11DisplayProbe.h"

#include "DisplayCheck.h"

#include <xcb/xcb.h>

namespace kanatsumugi {

X11DisplayProbe::X11DisplayProbe() {
    display_ = processEnvironment("DISPLAY");
    if (display_.empty() || !processEnvironment("WAYLAND_DISPLAY").empty() ||
        !processEnvironment("QT_QPA_PLATFORM").empty())
        return;
    connection_ = xcb_connect(nullptr, nullptr);
    failed_ = xcb_connection_has_error(connection_) != 0;
}

X11DisplayProbe::~X11DisplayProbe() {
    if (connection_ != nullptr)
        xcb_disconnect(connection_);
}

std::optional<std::string> X11DisplayProbe::failureMessage() const {
    if (!failed_)
        return std::nullopt;
    return "カナツムギ: 画面 " + display_ + " に接続できません / cannot open display " + display_;
}

} // namespace kanatsumugi
