#include "stock/StockList.h"

#include "stock/StockErrors.h"
#include "stock/StockFile.h"
#include "stock/StockText.h"

#include <QFile>

#include <cerrno>
#include <new>
#include <unistd.h>
#include <utility>

namespace kanatsumugi {

QString StockList::pathInDirectory(const QString& workingDirectory) {
    return workingDirectory + QLatin1Char('/') + QString::fromUtf8(kFileName);
}

QByteArray StockList::pathInWorkingDirectory() {
    QByteArray folder(4096, Qt::Uninitialized);
    while (::getcwd(folder.data(), static_cast<size_t>(folder.size())) == nullptr) {
        if (errno != ERANGE) {
            // A folder removed before the start: every stock tells that it cannot be made.
            return QByteArrayLiteral("./") + kFileName;
        }
        folder.resize(folder.size() * 2);
    }
    folder.truncate(static_cast<qsizetype>(qstrlen(folder.constData())));
    return folder + '/' + kFileName;
}

StockList::StockList(QByteArray nativePath)
    : path_(std::move(nativePath))
    , shownPath_(readablePath(path_)) {}

StockList::StockList(const QString& filePath)
    : path_(QFile::encodeName(filePath))
    , shownPath_(filePath) {}

QList<QByteArray> StockList::entries() const {
    return parseStockEntries(text_);
}

void StockList::load() {
    FileContents file = readStockFile(path_, shownPath_);
    file.bytes.truncate(stockTextOf(file.bytes).size());
    text_ = std::move(file.bytes);
}

void StockList::stock(const QByteArray& entry) {
    stockAll({entry});
}

void StockList::stockAll(const QList<QByteArray>& entries) {
    LockedStockFile file(path_, shownPath_, lockTimeout_);
    // The file as another copy of the program may have left it; the list in memory when the
    // file has gone since.
    QByteArray text;
    try {
        text =
            inStockFormat(file.contents().state == FileState::Read ? file.contents().bytes : text_);
        for (const QByteArray& entry : entries) {
            text += inStockFormat(entry + "\r\n");
        }
    } catch (const std::bad_alloc&) {
        // A file that fits in memory once, but not again beside its new text.
        throw stockOpenError(shownPath_);
    }
    file.write(text);
    text_ = std::move(text);
}

} // namespace kanatsumugi
