// libFuzzer target for the stock file loader: whatever the bytes, loading them reads as the
// plain rules say, writing the list and loading it again gives the same list, and so does the
// round trip through a real file and a stock.

#include "stock/StockList.h"
#include "stock/StockText.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using namespace kanatsumugi;

namespace {

// The reading rules, one byte at a time, kept as plain as possible.
QList<QByteArray> plainReading(const QByteArray& bytes) {
    QList<QByteArray> entries;
    QByteArray line;
    bool lineOpen = false;
    for (qsizetype i = 0; i < bytes.size() && bytes[i] != '\0'; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            entries.append(line);
            line.clear();
            lineOpen = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
        } else {
            line.append(c);
            lineOpen = true;
        }
    }
    if (lineOpen) {
        entries.append(line);
    }
    return entries;
}

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

QString scratchStockPath() {
    static const QTemporaryDir folder((QDir(QStringLiteral("/dev/shm")).exists()
                                           ? QStringLiteral("/dev/shm")
                                           : QDir::tempPath()) +
                                      QStringLiteral("/stock-fuzz-XXXXXX"));
    return StockList::pathInDirectory(folder.path());
}

void checkThroughAFile(const QByteArray& bytes, const QList<QByteArray>& expected) {
    const QString path = scratchStockPath();
    QFile file(path);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    check(file.write(bytes) == bytes.size());
    file.close();

    StockList list(path);
    list.load();
    check(list.entries() == expected);
    const QByteArray added = "\x83\x4a\x83\x69";
    list.stock(added);
    StockList reloaded(path);
    reloaded.load();
    check(reloaded.entries() == expected + QList<QByteArray>{added});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QList<QByteArray> expected = plainReading(bytes);

    check(parseStockEntries(bytes) == expected);

    checkThroughAFile(bytes, expected);
    return 0;
}
