#pragma once

#include "window/ErrorReport.h"

#include <QStringList>

#include <functional>

namespace kanatsumugi {

// Replaces the error box while alive and keeps what each box would have shown.
class RecordedErrorBoxes {
public:
    explicit RecordedErrorBoxes(std::function<void()> whileShown = {}) {
        setErrorBoxHandler(
            [this, whileShown](QWidget* parent, const QString& caption, const QString& text) {
                parents.append(parent);
                captions.append(caption);
                texts.append(text);
                if (whileShown) {
                    whileShown();
                }
            });
    }
    ~RecordedErrorBoxes() { setErrorBoxHandler({}); }

    RecordedErrorBoxes(const RecordedErrorBoxes&) = delete;
    RecordedErrorBoxes& operator=(const RecordedErrorBoxes&) = delete;

    QList<QWidget*> parents;
    QStringList captions;
    QStringList texts;
};

} // namespace kanatsumugi
