#include "cli/StockEntries.h"

#include "apperror/AppError.h"
#include "cli/Messages.h"
#include "stock/StockFile.h"
#include "stock/StockList.h"
#include "stock/StockText.h"

#include <QFile>

namespace kanatsumugi {

// The command line's only use of Qt: the stock library owns the file's rules.
std::string stockPath(const std::optional<std::string>& named) {
    return named.value_or(StockList::kFileName);
}

std::vector<std::string> readStockEntries(const std::string& path, bool missingIsEmpty) {
    const QByteArray nativePath = QByteArray::fromStdString(path);
    FileContents file;
    try {
        file = readStockFile(nativePath, QFile::decodeName(nativePath));
    } catch (const AppError&) {
        // The window's own message is Japanese only; say it in the command line's language.
        throw AppError(fill(tr("cannot read the stock file %s"), {path}));
    }
    switch (file.state) {
    case FileState::Missing:
        if (missingIsEmpty) {
            return {};
        }
        throw AppError(fill(tr("no stock file at %s"), {path}));
    case FileState::Directory:
        throw AppError(fill(tr("a folder, not a stock file: %s"), {path}));
    case FileState::Read:
        break;
    }
    std::vector<std::string> entries;
    for (const QByteArray& entry : parseStockEntries(file.bytes)) {
        entries.push_back(entry.toStdString());
    }
    return entries;
}

void stockNames(const std::string& path, const std::vector<std::string>& names) {
    QList<QByteArray> entries;
    entries.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& name : names) {
        entries.push_back(QByteArray::fromStdString(name));
    }
    try {
        StockList(QByteArray::fromStdString(path)).stockAll(entries);
    } catch (const AppError& error) {
        throw AppError(
            fill(tr("the names were not added to the stock file %s: %s"), {path, error.what()}));
    }
}

} // namespace kanatsumugi
