#pragma once

#include <functional>

namespace kanatsumugi {

// Runs one guarded step. An error escaping it is shown with ReportError and goes no
// further; returns false when that happened.
bool runGuarded(const std::function<void()>& step);

} // namespace kanatsumugi
