// libFuzzer target for the stock file loader: whatever the bytes, loading them reads as the
// plain rules say, the quick format check agrees however the bytes are split, writing the list
// and loading it again gives the same list, and so does the round trip through a real file and
// a stock.

#include "stock/CrLfScan.h"
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
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            line.append(c);
            lineOpen = true;
        }
    }
    if (lineOpen)
        entries.append(line);
    return entries;
}

void check(bool condition) {
    if (!condition)
        std::abort();
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

// The format check, fed in two pieces as a large file's reads would feed it.
void checkPieces(const QByteArray& bytes, qsizetype split) {
    const CrLfScan whole = scanCrLf(bytes.constData(), bytes.size());
    CrLfScanner scanner;
    scanner.feed(bytes.constData(), split);
    scanner.feed(bytes.constData() + split, bytes.size() - split);
    const CrLfScan pieces = scanner.result();
    check(pieces.inStockFormat == whole.inStockFormat);
    check(!whole.inStockFormat ||
          (pieces.textEnd == whole.textEnd && pieces.lineCount == whole.lineCount));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QList<QByteArray> expected = plainReading(bytes);

    const StockText text = StockText::fromFileBytes(bytes);
    check(text.entries() == expected);
    check(text.count() == expected.size());

    const StockText again = StockText::fromFileBytes(text.bytes());
    check(again.entries() == expected);
    check(again.bytes() == text.bytes());

    checkPieces(bytes, size == 0 ? 0 : static_cast<qsizetype>(data[0] % (size + 1)));
    checkThroughAFile(bytes, expected);
    return 0;
}
