#pragma once

#include "window/ErrorReport.h"

#include <QStringList>

#include <functional>

namespace kanatsumugi {

// Replaces the error box while alive and keeps what each box would have shown.
class RecordedErrorBoxes {
public:
    explicit RecordedErrorBoxes(std::function<void()> whileShown = {}) {
        setErrorBoxHandler([this, whileShown](const QString& caption, const QString& text) {
            captions.append(caption);
            texts.append(text);
            if (whileShown)
                whileShown();
        });
    }
    ~RecordedErrorBoxes() { setErrorBoxHandler({}); }

    RecordedErrorBoxes(const RecordedErrorBoxes&) = delete;
    RecordedErrorBoxes& operator=(const RecordedErrorBoxes&) = delete;

    QStringList captions;
    QStringList texts;
};

} // namespace kanatsumugi
