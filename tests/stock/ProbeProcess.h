#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QStringList>

namespace kanatsumugi::test {

// The probe's stock as it showed it.
struct ProbeState {
    bool stockable = false;
    QList<QByteArray> entries;
};

// What a probe process reported when it ended.
struct ProbeReport {
    QList<QByteArray> errors; // messages, UTF-8
    QList<ProbeState> states; // one per "show", then the final one
    bool finished = false;    // ended on its own, in time

    const ProbeState& last() const { return states.last(); }
};

// Runs the stock probe on a stock file, as root or as the unprivileged user 65534.
class ProbeProcess {
public:
    enum class User { Root, Nobody };

    ProbeProcess(const QString& stockPath, const QStringList& commands, User user = User::Root);
    ~ProbeProcess();

    // Waits for the next line, after those already waited for, that reads `line`.
    bool waitForLine(const QByteArray& line, int timeoutMs = 10'000);
    // Lets a probe stopped at "wait" go on.
    void proceed();
    void kill();
    ProbeReport finish(int timeoutMs = 60'000);

private:
    QString probeFor(User user) const;

    QProcess process_;
    QByteArray output_;
    qsizetype searched_ = 0; // output before this offset has been waited through
};

} // namespace kanatsumugi::test
