#include "TestFolder.h"

#include "stock/StockList.h"

#include <QDir>
#include <QFile>

#include <stdexcept>
#include <sys/stat.h>

namespace kanatsumugi::test {

TestFolder::TestFolder()
    : dir_(QDir::tempPath() + QStringLiteral("/stock-test-XXXXXX")) {
    if (!dir_.isValid() || ::chmod(QFile::encodeName(dir_.path()).constData(), 0777) != 0) {
        throw std::runtime_error("cannot make a test folder");
    }
}

QString TestFolder::stockPath() const {
    return StockList::pathInDirectory(path());
}

QString TestFolder::subfolder(const QString& name, int mode) const {
    QString folder = path() + QLatin1Char('/') + name;
    if (!QDir().mkpath(folder) ||
        ::chmod(QFile::encodeName(folder).constData(), static_cast<mode_t>(mode)) != 0) {
        throw std::runtime_error("cannot make a subfolder");
    }
    return folder;
}

void TestFolder::writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

QByteArray TestFolder::readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read " + path.toStdString());
    }
    return file.readAll();
}

QStringList TestFolder::names(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray crLfLines(const QList<QByteArray>& entries) {
    QByteArray bytes;
    for (const QByteArray& entry : entries) {
        bytes += entry + "\r\n";
    }
    return bytes;
}

} // namespace kanatsumugi::test
