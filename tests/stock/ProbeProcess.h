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

    [[nodiscard]] const ProbeState& last() const { return states.last(); }
};

// A user to run the probe as: numeric ids, which need no account, and maybe one more group.
struct ProbeUser {
    int uid = 0;
    int gid = 0;
    int group = -1;
};
constexpr ProbeUser kRoot{};
constexpr ProbeUser kNobody{65534, 65534};

// Runs the stock probe on a stock file, as root or as another user.
class ProbeProcess {
public:
    using User = ProbeUser;

    // `stockPath` is a path, or "cd=" and a folder's bytes in hex (see the probe).
    // `tracer`, when given, is a command line the probe runs under (as root).
    ProbeProcess(const QString& stockPath, const QStringList& commands, User user = kRoot,
                 const QStringList& tracer = {});
    ~ProbeProcess();

    // Waits for the next line, after those already waited for, that reads `line`.
    bool waitForLine(const QByteArray& line, int timeoutMs = 10'000);
    // Lets a probe stopped at "wait" go on.
    void proceed();
    void kill();
    [[nodiscard]] qint64 processId() const { return process_.processId(); }
    ProbeReport finish(int timeoutMs = 60'000);

private:
    static QString probeFor(User user);

    QProcess process_;
    QByteArray output_;
    qsizetype searched_ = 0; // output before this offset has been waited through
};

} // namespace kanatsumugi::test
