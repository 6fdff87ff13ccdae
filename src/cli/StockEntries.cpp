#include "StockEntries.h"

#include "AppError.h"
#include "Language.h"
#include "RegularFileReader.h"
#include "StockText.h"

#include <QFile>

namespace kanatsumugi {

// The command line's only use of Qt: the stock library owns the reading rules.
std::vector<std::string> readStockEntries(const std::string& path) {
    const FileContents file = readRegularFile(QFile::decodeName(path.c_str()));
    switch (file.state) {
    case FileState::Missing:
        throw AppError(tr("ストックファイルがありません: ", "no stock file at ") + path);
    case FileState::Directory:
        throw AppError(
            tr("ストックファイルではなくフォルダーです: ", "a folder, not a stock file: ") + path);
    case FileState::Unreadable:
        throw AppError(tr("ストックファイルを読めません: ", "cannot read the stock file ") + path);
    case FileState::Read:
        break;
    }
    std::vector<std::string> entries;
    for (const QByteArray& entry : StockText::fromFileBytes(file.bytes).entries()) {
        entries.emplace_back(entry.constData(), static_cast<std::size_t>(entry.size()));
    }
    return entries;
}

} // namespace kanatsumugi
