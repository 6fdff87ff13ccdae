// Times programs from process start until their first top-level window is mapped, and
// reads their peak memory; the two programs alternate round by round so that both see
// the same machine. Run on a display without a window manager, so the map is the
// program's own.
// Usage: startup_map_timer ROUNDS BASELINE PROGRAM
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>
#include <xcb/xcb.h>

extern char** environ;

namespace {

struct Run {
    double milliseconds = 0;
    long peakKib = 0;
};

bool waitForMap(xcb_connection_t* connection) {
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        std::free(event);
        if (mapped) {
            return true;
        }
    }
    return false;
}

Run timeOnce(xcb_connection_t* connection, const char* program) {
    using Clock = std::chrono::steady_clock;
    char* argv[] = {const_cast<char*>(program), nullptr};
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0) {
        std::perror(program);
        std::exit(1);
    }
    if (!waitForMap(connection)) {
        std::fprintf(stderr, "lost the X connection\n");
        std::exit(1);
    }
    const auto mapped = Clock::now();
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return {std::chrono::duration<double, std::milli>(mapped - start).count(), usage.ru_maxrss};
}

template <typename T> T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s ROUNDS BASELINE PROGRAM\n", argv[0]);
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    std::vector<double> baseTimes, programTimes;
    std::vector<long> baseMemory, programMemory;
    timeOnce(connection, argv[2]); // warm the file cache
    timeOnce(connection, argv[3]);
    for (int i = 0; i < rounds; ++i) {
        const Run base = timeOnce(connection, argv[2]);
        const Run program = timeOnce(connection, argv[3]);
        baseTimes.push_back(base.milliseconds);
        programTimes.push_back(program.milliseconds);
        baseMemory.push_back(base.peakKib);
        programMemory.push_back(program.peakKib);
    }
    const double bt = median(baseTimes), pt = median(programTimes);
    const long bm = median(baseMemory), pm = median(programMemory);
    std::printf("start-up to window mapped (median of %d): baseline %.1f ms, program %.1f ms, "
                "ratio %.3f (target <= 1.15)\n",
                rounds, bt, pt, pt / bt);
    std::printf("peak memory (median of %d): baseline %ld KiB, program %ld KiB, ratio %.3f "
                "(target <= 1.15)\n",
                rounds, bm, pm, static_cast<double>(pm) / static_cast<double>(bm));
    xcb_disconnect(connection);
    return 0;
}
