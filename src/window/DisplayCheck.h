#pragma once

#include <optional>
#include <string>

namespace kanatsumugi {

// Reads one environment variable; empty when unset.
using EnvironmentReader = std::string (*)(const char* name);

// The one line to print when the program cannot have a window: no platform plugin
// chosen and neither an X11 nor a Wayland display named. Empty when a display may exist.
std::optional<std::string> missingDisplayMessage(EnvironmentReader environment);

// Reads the process environment.
std::string processEnvironment(const char* name);

} // namespace kanatsumugi
