// A separate process that stocks, for the tests that need one: other users, file size
// limits, two copies at once, and a kill at a random moment.
//
//   stock_probe <stock file> | cd=<hex folder> <command>...
//     load | generated | stock=<hex> | many=<hex prefix>:<count>[:<longest pause us>]
//     wait (reads a line) | mark | hold-lock | fsize=<bytes>|max | lock-timeout=<ms> | show
//     memory=<MiB more than in use>
//
// cd= starts in that folder (named by its bytes) and stocks in its stock file, as the window
// does. Names are given as Shift-JIS bytes and stocked as the window's text would be.
// Prints "error <message>" for each failure; "show", and the end, print the state:
// "stockable 0|1", then one "entry <hex>" line per entry.

#include "apperror/AppError.h"
#include "stock/NameStock.h"
#include "stock/ShiftJisText.h"

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

using namespace kanatsumugi;

namespace {

void say(const std::string& line) {
    std::cout << line << '\n' << std::flush;
}

void setFileSizeLimit(const std::string& value) {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = value == "max" ? limit.rlim_max : std::stoull(value);
    setrlimit(RLIMIT_FSIZE, &limit);
}

// Address space: what is in use now and `more` MiB besides.
void setMemoryLimit(const std::string& more) {
    std::ifstream statm("/proc/self/statm");
    unsigned long long pages = 0;
    statm >> pages;
    const rlimit limit{pages * static_cast<unsigned long long>(::sysconf(_SC_PAGESIZE)) +
                           std::stoull(more) * 1024 * 1024,
                       RLIM_INFINITY};
    setrlimit(RLIMIT_AS, &limit);
}

// Holds the lock as a stock does, until killed.
void holdLock(const QByteArray& stockPath) {
    const int fd = ::open(stockPath.constData(), O_RDONLY | O_CREAT, 0666);
    if (fd < 0 || ::flock(fd, LOCK_EX) != 0) {
        say("error lock");
    }
    say("locked");
    for (;;) {
        pause();
    }
}

QString nameOf(const QByteArray& shiftJis) {
    return fromShiftJis(shiftJis);
}

void stockMany(NameStock& stock, const std::string& pattern) {
    const size_t colon = pattern.find(':');
    const QByteArray prefix =
        QByteArray::fromHex(QByteArray::fromStdString(pattern.substr(0, colon)));
    const std::string rest = pattern.substr(colon + 1);
    const size_t second = rest.find(':');
    const int count = std::stoi(rest.substr(0, second));
    const int longestPause = second == std::string::npos ? 0 : std::stoi(rest.substr(second + 1));
    std::mt19937 random(static_cast<unsigned>(getpid()));
    for (int i = 0; i < count; ++i) {
        stock.nameGenerated();
        try {
            stock.stockIfStockable(nameOf(prefix + QByteArray::number(i)));
        } catch (const AppError& error) {
            say(std::string("error ") + error.what());
        }
        if (longestPause > 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(random() % longestPause));
        }
    }
}

void show(const NameStock& stock) {
    say(std::string("stockable ") + (stock.stockable() ? "1" : "0"));
    for (const QByteArray& entry : stock.list().entries()) {
        say("entry " + entry.toHex().toStdString());
    }
}

void run(NameStock& stock, const QByteArray& path, const std::string& command) {
    const size_t equals = command.find('=');
    const std::string name = command.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : command.substr(equals + 1);
    if (name == "load") {
        stock.list().load();
    } else if (name == "generated") {
        stock.nameGenerated();
    } else if (name == "stock") {
        stock.stockIfStockable(nameOf(QByteArray::fromHex(QByteArray::fromStdString(value))));
    } else if (name == "many") {
        stockMany(stock, value);
    } else if (name == "wait") {
        say("waiting");
        std::string line;
        std::getline(std::cin, line);
    } else if (name == "show") {
        show(stock);
    } else if (name == "mark") {
        say("mark");
    } else if (name == "hold-lock") {
        holdLock(path);
    } else if (name == "fsize") {
        setFileSizeLimit(value);
    } else if (name == "memory") {
        setMemoryLimit(value);
    } else if (name == "lock-timeout") {
        stock.list().setLockTimeout(std::chrono::milliseconds(std::stoi(value)));
    } else {
        say("error unknown command " + command);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: stock_probe <stock file> <command>...\n";
        return 2;
    }
    QByteArray path = argv[1];
    if (path.startsWith("cd=")) {
        if (::chdir(QByteArray::fromHex(path.mid(3)).constData()) != 0) {
            say("error cd");
        }
        path = StockList::pathInWorkingDirectory();
    }
    NameStock stock(path);
    for (int i = 2; i < argc; ++i) {
        try {
            run(stock, path, argv[i]);
        } catch (const AppError& error) {
            say(std::string("error ") + error.what());
        }
    }
    show(stock);
    return 0;
}
