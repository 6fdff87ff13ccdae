#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kanatsumugi::test {

// A fresh folder under the system's temporary folder that any user may enter, so that
// a process running as another user reaches the files the test puts there.
class TestFolder {
public:
    TestFolder();

    [[nodiscard]] QString path() const { return dir_.path(); }
    [[nodiscard]] QString stockPath() const;
    // A folder inside, made with the given permission bits.
    [[nodiscard]] QString subfolder(const QString& name, int mode = 0777) const;

    static void writeBytes(const QString& path, const QByteArray& bytes);
    static QByteArray readBytes(const QString& path);
    // The names in a folder, sorted, hidden ones included.
    static QStringList names(const QString& folder);

private:
    QTemporaryDir dir_;
};

// The bytes a list of entries is written as.
QByteArray crLfLines(const QList<QByteArray>& entries);

} // namespace kanatsumugi::test
