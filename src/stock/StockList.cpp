#include "stock/StockList.h"

#include "stock/RegularFileReader.h"
#include "stock/StockErrors.h"
#include "stock/StockFileWriter.h"
#include "stock/StockLock.h"

namespace kanatsumugi {

namespace {

struct StockFile {
    FileState state = FileState::Missing;
    StockText text;
};

// Reads the stock file, checking its format as the pieces come in.
StockFile readStockFile(const QString& path, qsizetype spareCapacity = 0) {
    CrLfScanner scanner;
    FileContents file = readRegularFile(
        path, spareCapacity, [&](const char* data, qsizetype size) { scanner.feed(data, size); });
    if (file.state != FileState::Read)
        return {file.state, {}};
    return {file.state, StockText::fromFileBytes(std::move(file.bytes), scanner.result())};
}

} // namespace

QString StockList::pathInDirectory(const QString& workingDirectory) {
    return workingDirectory + QLatin1Char('/') + QString::fromUtf8(kFileName);
}

StockList::StockList(QString filePath)
    : filePath_(std::move(filePath)) {}

const QList<QByteArray>& StockList::entries() const {
    if (!entriesBuilt_) {
        entries_ = text_.entries();
        entriesBuilt_ = true;
    }
    return entries_;
}

void StockList::load() {
    StockFile file = readStockFile(filePath_);
    if (file.state == FileState::Unreadable)
        throw stockOpenError(filePath_);
    // A directory of that name counts as no file.
    replaceText(std::move(file.text));
}

void StockList::stock(const QByteArray& entry) {
    StockLock lock(filePath_ + QStringLiteral(".lock"));
    const StockLock::Result locked = lock.acquire(lockTimeout_);
    if (locked != StockLock::Result::Acquired)
        throw lockError(locked);
    StockText text = currentText(entry.size() + 2);
    text.append(entry);
    replaceFileContents(filePath_, text.bytes());
    replaceText(std::move(text));
}

// The file as another copy of the program may have left it; the list in memory when the
// file has gone since.
StockText StockList::currentText(qsizetype spareCapacity) const {
    StockFile file = readStockFile(filePath_, spareCapacity);
    switch (file.state) {
    case FileState::Missing:
        return text_;
    case FileState::Directory:
        throw stockCreateError(filePath_);
    case FileState::Unreadable:
        throw stockOpenError(filePath_);
    case FileState::Read:
        break;
    }
    return std::move(file.text);
}

// A stock file that cannot be read is told first, as it would be once the lock were had;
// a lock file that did not fit means the disk is full.
AppError StockList::lockError(StockLock::Result result) const {
    if (readRegularFile(filePath_).state == FileState::Unreadable)
        return stockOpenError(filePath_);
    if (result == StockLock::Result::NotWritten)
        return stockWriteError();
    return stockCreateError(filePath_);
}

void StockList::replaceText(StockText text) {
    text_ = std::move(text);
    // Keep a list handed out before in step; build none that nobody asked for.
    if (entriesBuilt_)
        entries_ = text_.entries();
}

} // namespace kanatsumugi
