#pragma once

#include <QObject>

class QSocketNotifier;

namespace kanatsumugi {

// Turns SIGTERM, SIGINT and SIGHUP (log-off, shutdown, Ctrl+C) into a quit request
// taken by the event loop like any other event. A signal handler may only write to
// a pipe, so it does that and the loop does the rest.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    void drainPipe();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace kanatsumugi
