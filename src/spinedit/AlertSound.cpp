#include "spinedit/AlertSound.h"

#include <QApplication>

#include <utility>

namespace kanatsumugi {

namespace {
std::function<void()>& alertHandler() {
    static std::function<void()> handler;
    return handler;
}
} // namespace

void playAlertSound() {
    if (alertHandler()) {
        alertHandler()();
        return;
    }
    QApplication::beep();
}

void setAlertSoundHandler(std::function<void()> handler) {
    alertHandler() = std::move(handler);
}

} // namespace kanatsumugi
