#include "cli/StockEntries.h"

#include "apperror/AppError.h"
#include "apperror/Messages.h"
#include "generator/KanaTables.h"
#include "stock/StockErrors.h"
#include "stock/StockFile.h"
#include "stock/StockList.h"
#include "stock/StockText.h"

#include <QFile>

namespace kanatsumugi {

// The command line's only use of Qt: the stock library owns the file's rules.
std::string stockPath(const std::optional<std::string>& named) {
    return named.value_or(StockList::kFileName);
}

void readStockNames(const KanaTables& tables, const std::string& path, bool missingIsEmpty,
                    UniqueNames& names) {
    const QByteArray nativePath = QByteArray::fromStdString(path);
    FileContents file;
    try {
        file = readStockFile(nativePath, QFile::decodeName(nativePath));
    } catch (const AppError&) {
        // The window's own message is Japanese only; say it in the command line's language.
        throw InputError(fill(tr("cannot read the stock file %s"), {path}));
    }
    if (file.state == FileState::Directory) {
        throw InputError(fill(tr("a folder, not a stock file: %s"), {path}));
    }
    if (file.state == FileState::Missing && !missingIsEmpty) {
        throw InputError(fill(tr("no stock file at %s"), {path}));
    }
    for (const QByteArray& entry : parseStockEntries(file.bytes)) {
        // Entries of two-byte kana the names are made of, nine at most, may equal a name.
        KanaIndexName name;
        bool usable = entry.size() % 2 == 0 && entry.size() / 2 <= KanaIndexName::kCapacity;
        for (qsizetype at = 0; usable && at < entry.size(); at += 2) {
            const int index = tables.indexOf(std::string_view(entry.constData() + at, 2));
            usable = index >= 0;
            name.kana[static_cast<std::size_t>(name.count++)] = static_cast<std::uint8_t>(index);
        }
        if (usable && name.count > 0) {
            names.insert(name);
        }
    }
}

void stockNames(const KanaTables& tables, const std::string& path,
                const std::vector<KanaIndexName>& names) {
    QList<QByteArray> entries;
    for (const KanaIndexName& name : names) {
        entries.push_back(QByteArray::fromStdString(tables.spell(name.indices(), false)));
    }
    try {
        StockList(QByteArray::fromStdString(path)).stockAll(entries);
    } catch (const AppError& error) {
        // The stock's own messages are the window's Japanese; say why in the command line's.
        const bool unwritten = std::string_view(error.what()) == stockWriteError().what();
        throw AppError(
            fill(tr("the names were not added to the stock file %s: %s"),
                 {path, unwritten ? tr("cannot be written") : tr("cannot be opened or created")}));
    }
}

} // namespace kanatsumugi
