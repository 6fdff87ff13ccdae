#include "window/DisplayCheck.h"

#include <cstdlib>

namespace kanatsumugi {

std::optional<std::string> missingDisplayMessage(EnvironmentReader environment) {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        if (!environment(name).empty())
            return std::nullopt;
    }
    return std::string("カナツムギ: 画面に接続できません (DISPLAY も WAYLAND_DISPLAY も未設定です)"
                       " / cannot start: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)");
}

std::string processEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

} // namespace kanatsumugi
