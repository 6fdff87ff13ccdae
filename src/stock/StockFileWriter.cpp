#include "stock/StockFileWriter.h"

#include "stock/StockErrors.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

namespace kanatsumugi {

namespace {

// The folder that holds the file the link chain ends at, where the rename happens.
QString folderOfTarget(const QString& path) {
    constexpr int kMaxLinks = 40;
    QFileInfo info(path);
    for (int hop = 0; hop < kMaxLinks && info.isSymLink(); ++hop)
        info.setFile(info.symLinkTarget());
    return info.absolutePath();
}

// Makes the rename itself durable. Best effort: by now the new file is the one the folder
// shows, so a failure here is no reason to report the stock as failed.
void syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

void replaceFileContents(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Never fall back to writing the file in place: that is what loses data.
    file.setDirectWriteFallback(false);
    // Unbuffered, so that a full disk shows at the write rather than at the commit.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw stockCreateError(path);
    // QSaveFile's commit ignores a failed sync; a full disk may only show there.
    if (file.write(bytes) != bytes.size() || ::fsync(file.handle()) != 0) {
        file.cancelWriting();
        throw stockWriteError();
    }
    if (!file.commit()) {
        if (file.error() == QFileDevice::RenameError)
            throw stockCreateError(path);
        throw stockWriteError();
    }
    syncFolder(folderOfTarget(path));
}

} // namespace kanatsumugi
