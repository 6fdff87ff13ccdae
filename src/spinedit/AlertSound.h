#pragma once

#include <functional>

namespace kanatsumugi {

// The platform's default alert sound, behind a seam that tests can replace.
void playAlertSound();

// Replaces what playAlertSound() does; an empty function restores the platform beep.
void setAlertSoundHandler(std::function<void()> handler);

} // namespace kanatsumugi
