#include "cli/StockEntries.h"

#include "apperror/AppError.h"
#include "cli/Language.h"
#include "stock/StockFile.h"
#include "stock/StockText.h"

#include <QFile>

namespace kanatsumugi {

// The command line's only use of Qt: the stock library owns the reading rules.
std::vector<std::string> readStockEntries(const std::string& path, bool missingIsEmpty) {
    const QByteArray nativePath = QByteArray::fromStdString(path);
    FileContents file;
    try {
        file = readStockFile(nativePath, QFile::decodeName(nativePath));
    } catch (const AppError&) {
        // The window's own message is Japanese only; say it in the command line's language.
        throw AppError(tr("ストックファイルを読めません: ", "cannot read the stock file ") + path);
    }
    switch (file.state) {
    case FileState::Missing:
        if (missingIsEmpty) {
            return {};
        }
        throw AppError(tr("ストックファイルがありません: ", "no stock file at ") + path);
    case FileState::Directory:
        throw AppError(
            tr("ストックファイルではなくフォルダーです: ", "a folder, not a stock file: ") + path);
    case FileState::Read:
        break;
    }
    std::vector<std::string> entries;
    for (const QByteArray& entry : parseStockEntries(file.bytes)) {
        entries.emplace_back(entry.constData(), static_cast<std::size_t>(entry.size()));
    }
    return entries;
}

} // namespace kanatsumugi
