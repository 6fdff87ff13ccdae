#pragma once

#include <QtGlobal>

namespace kanatsumugi {

// While the application object starts its window system, turns Qt's multi-line report
// and abort for a display it cannot open into one clear line and exit code 1. What the
// window system's libraries print to standard error meanwhile is held back: dropped
// with such a failure, passed on once the start has succeeded.
class PlatformStartGuard {
public:
    PlatformStartGuard();
    ~PlatformStartGuard();

    PlatformStartGuard(const PlatformStartGuard&) = delete;
    PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;
};

} // namespace kanatsumugi
