// Loading and stocking a large stock file, timed against the plain file operations they
// cannot beat, in the same run: reading the file's bytes, and reading a copy of it and appending
// a line with a sync.
// Other work on the machine only ever adds time, so each figure is the fastest of its rounds
// (medians are printed too). Exits 1 when a ratio is over its target.

#include "stock/StockList.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <random>
#include <unistd.h>
#include <vector>

using namespace kanatsumugi;

namespace {

constexpr int kRounds = 25;
constexpr double kLoadTarget = 2.0;
constexpr double kStockTarget = 1.5;

// Katakana names of two to eight kana in Shift-JIS, one per CR LF line.
QByteArray stockFileOf(int names) {
    std::mt19937 random(20261208);
    QByteArray bytes;
    bytes.reserve(names * 12);
    for (int i = 0; i < names; ++i) {
        const int length = 2 + static_cast<int>(random() % 7);
        for (int k = 0; k < length; ++k) {
            bytes.append('\x83');
            bytes.append(static_cast<char>(0x40 + random() % 0x57));
        }
        bytes.append("\r\n");
    }
    return bytes;
}

QByteArray readBytes(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    QByteArray bytes(::lseek(fd, 0, SEEK_END), Qt::Uninitialized);
    ::pread(fd, bytes.data(), static_cast<size_t>(bytes.size()), 0);
    ::close(fd);
    return bytes;
}

void readAndAppend(const QString& path) {
    (void)readBytes(path);
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    const QByteArray line = "\x83\x65\x83\x58\x83\x67\r\n";
    if (::write(fd, line.constData(), static_cast<size_t>(line.size())) != line.size() ||
        ::fsync(fd) != 0) {
        std::exit(2);
    }
    ::close(fd);
}

double seconds(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double fastest(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool report(const char* what, const std::vector<double>& subject, const char* baselineName,
            const std::vector<double>& baseline, double target) {
    const double ratio = fastest(subject) / fastest(baseline);
    std::printf("%-40s %8.2f ms (median %8.2f ms)\n%-40s %8.2f ms (median %8.2f ms)\n"
                "  ratio %.2f (target <= %.1f) %s; of medians %.2f\n\n",
                what, fastest(subject) * 1e3, median(subject) * 1e3, baselineName,
                fastest(baseline) * 1e3, median(baseline) * 1e3, ratio, target,
                ratio <= target ? "ok" : "OVER", median(subject) / median(baseline));
    return ratio <= target;
}

} // namespace

int main(int argc, char** argv) {
    const int names = argc > 1 ? std::atoi(argv[1]) : 1'000'000;
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/stock-bench-XXXXXX"));
    const QString path = StockList::pathInDirectory(folder.path());
    const QString copy = folder.filePath(QStringLiteral("copy.txt"));
    for (const QString& file : {path, copy}) {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(stockFileOf(names)) < 0) {
            return 2;
        }
    }
    std::printf("stock file: %d names, %lld bytes, %d rounds\n\n", names,
                static_cast<long long>(QFile(path).size()), kRounds);

    StockList stock(path);
    stock.load();
    std::vector<double> read, load, appended, stocked;
    for (int round = 0; round < kRounds; ++round) {
        read.push_back(seconds([&] { (void)readBytes(path); }));
        load.push_back(seconds([&] {
            StockList list(path);
            list.load();
        }));
        appended.push_back(seconds([&] { readAndAppend(copy); }));
        stocked.push_back(seconds([&] { stock.stock("\x83\x65\x83\x58\x83\x67"); }));
    }
    const double split = seconds([&] { (void)stock.entries(); });

    const bool loadOk = report("load", load, "read the bytes into memory", read, kLoadTarget);
    const bool stockOk = report("stock (lock, re-read, append, sync)", stocked,
                                "read the file, append a line, sync", appended, kStockTarget);
    std::printf("(for information) splitting the list into entries once: %.2f ms\n", split * 1e3);
    return loadOk && stockOk ? 0 : 1;
}
