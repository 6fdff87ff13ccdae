#pragma once

#include <QtGlobal>

namespace kanatsumugi {

// While the application object starts its window system, turns Qt's multi-line report
// and abort for a display it cannot open into one clear line and exit code 1.
class PlatformStartGuard {
public:
    PlatformStartGuard();
    ~PlatformStartGuard();

    PlatformStartGuard(const PlatformStartGuard&) = delete;
    PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;
};

} // namespace kanatsumugi
