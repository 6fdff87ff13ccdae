#include "window/TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kanatsumugi {

namespace {

constexpr std::array kTerminationSignals{SIGTERM, SIGINT, SIGHUP};

// [0] is read by the event loop, [1] written by the signal handler.
int signalPipe[2] = {-1, -1};

extern "C" void writeSignalToPipe(int signalNumber) {
    const char byte = static_cast<char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

void installHandler(int signalNumber, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signalNumber, &action, nullptr);
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent)
    : QObject(parent) {
    // Without a pipe the signals keep their default action: they still end the program.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0) {
        return;
    }
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::drainPipe);
    for (const int signalNumber : kTerminationSignals) {
        installHandler(signalNumber, writeSignalToPipe);
    }
}

TerminationSignals::~TerminationSignals() {
    if (notifier_ == nullptr) {
        return;
    }
    for (const int signalNumber : kTerminationSignals) {
        installHandler(signalNumber, SIG_DFL);
    }
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void TerminationSignals::drainPipe() {
    std::array<char, 16> buffer{};
    while (::read(signalPipe[0], buffer.data(), buffer.size()) > 0) {
    }
    emit terminationRequested();
}

} // namespace kanatsumugi
