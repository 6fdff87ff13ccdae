#include "window/Guard.h"

#include "window/ErrorReport.h"

#include <QString>

#include <exception>

namespace kanatsumugi {

bool runGuarded(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const std::exception& error) {
        ReportError(QString::fromUtf8(error.what()));
    } catch (...) {
        // Every error of the program is an AppError; anything else still must not
        // cross the event loop, and has no message of its own to show.
        ReportError(QString());
    }
    return false;
}

} // namespace kanatsumugi
