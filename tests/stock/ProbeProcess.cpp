#include "ProbeProcess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace kanatsumugi::test {

ProbeProcess::ProbeProcess(const QString& stockPath, const QStringList& commands, User user,
                           const QStringList& tracer) {
    const QStringList probeArguments = QStringList{stockPath} + commands;
    // Under AddressSanitizer too, an allocation that fails must reach the program as it does
    // without it, rather than end the process.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString sanitizer = environment.value(QStringLiteral("ASAN_OPTIONS"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       (sanitizer.isEmpty() ? QString() : sanitizer + QLatin1Char(':')) +
                           QStringLiteral("allocator_may_return_null=1"));
    process_.setProcessEnvironment(environment);
    if (!tracer.isEmpty()) {
        process_.start(tracer.first(),
                       tracer.mid(1) + QStringList{probeFor(user)} + probeArguments);
    } else if (user.uid == 0) {
        process_.start(probeFor(user), probeArguments);
    } else {
        process_.start(QStringLiteral("setpriv"),
                       QStringList{QStringLiteral("--reuid=%1").arg(user.uid),
                                   QStringLiteral("--regid=%1").arg(user.gid),
                                   user.group < 0 ? QStringLiteral("--clear-groups")
                                                  : QStringLiteral("--groups=%1").arg(user.group),
                                   probeFor(user)} +
                           probeArguments);
    }
    process_.waitForStarted();
}

ProbeProcess::~ProbeProcess() {
    if (process_.state() != QProcess::NotRunning) {
        kill();
    }
}

// The build folder may be closed to other users, so theirs is a copy in the temporary folder.
QString ProbeProcess::probeFor(User user) {
    QString built = QStringLiteral(STOCK_PROBE_PATH);
    if (user.uid == 0) {
        return built;
    }
    static const QTemporaryDir copyFolder(QDir::tempPath() + QStringLiteral("/stock-probe-XXXXXX"));
    QString copy = copyFolder.filePath(QStringLiteral("stock_probe"));
    if (!QFile::exists(copy)) {
        ::chmod(QFile::encodeName(copyFolder.path()).constData(), 0755);
        QFile::copy(built, copy);
        ::chmod(QFile::encodeName(copy).constData(), 0755);
    }
    return copy;
}

bool ProbeProcess::waitForLine(const QByteArray& line, int timeoutMs) {
    for (;;) {
        for (qsizetype end = output_.indexOf('\n', searched_); end >= 0;
             end = output_.indexOf('\n', searched_)) {
            const bool found = output_.sliced(searched_, end - searched_) == line;
            searched_ = end + 1;
            if (found) {
                return true;
            }
        }
        if (!process_.waitForReadyRead(timeoutMs)) {
            return false;
        }
        output_ += process_.readAllStandardOutput();
    }
}

void ProbeProcess::proceed() {
    process_.write("\n");
    process_.waitForBytesWritten();
}

void ProbeProcess::kill() {
    process_.kill();
    process_.waitForFinished();
}

ProbeReport ProbeProcess::finish(int timeoutMs) {
    ProbeReport report;
    report.finished = process_.waitForFinished(timeoutMs) &&
                      process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    if (!report.finished) {
        kill();
    }
    output_ += process_.readAllStandardOutput();
    for (const QByteArray& line : output_.split('\n')) {
        if (line.startsWith("error ")) {
            report.errors.append(line.mid(6));
        } else if (line.startsWith("stockable ")) {
            report.states.append(ProbeState{line.endsWith('1'), {}});
        } else if (line.startsWith("entry ") && !report.states.isEmpty()) {
            report.states.last().entries.append(QByteArray::fromHex(line.mid(6)));
        }
    }
    if (report.states.isEmpty()) {
        report.states.append(ProbeState{});
    }
    return report;
}

} // namespace kanatsumugi::test
