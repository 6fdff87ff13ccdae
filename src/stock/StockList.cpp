#include "stock/StockList.h"

#include "stock/StockErrors.h"
#include "stock/StockFile.h"
#include "stock/StockText.h"

#include <QFile>

#include <cerrno>
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
    FileContents file = readStockFile(path_, shownPath_, lockTimeout_);
    file.bytes.truncate(stockTextOf(file.bytes).size());
    text_ = std::move(file.bytes);
}

void StockList::stock(const QByteArray& entry) {
    stockAll({entry});
}

void StockList::stockAll(const QList<QByteArray>& entries) {
    if (entries.isEmpty()) {
        return;
    }
    QByteArray lines;
    // An entry holding a break or a NUL is written as the file will read it back.
    for (const QByteArray& entry : entries) {
        for (const QByteArray& line : parseStockEntries(entry + "\r\n")) {
            lines += line + "\r\n";
        }
    }
    text_ = appendToStockFile(path_, shownPath_, lockTimeout_, text_, lines);
}

} // namespace kanatsumugi
