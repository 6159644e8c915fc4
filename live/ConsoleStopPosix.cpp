#include "live/StopSignal.h"

#include <cerrno>
#include <csignal>
#include <ctime>

namespace {

sigset_t stopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    return signals;
}

} // namespace

// The signals are blocked and taken only while waiting, so none can interrupt a file half written: the
// loop ends between two looks, with every file whole.
ConsoleStop::ConsoleStop() {
    const sigset_t signals = stopSignals();
    sigprocmask(SIG_BLOCK, &signals, nullptr);
}

ConsoleStop::~ConsoleStop() {
    const sigset_t signals = stopSignals();
    sigprocmask(SIG_UNBLOCK, &signals, nullptr);
}

bool ConsoleStop::waitForStop(std::chrono::milliseconds wait) {
    const sigset_t signals = stopSignals();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait);
    timespec timeout{};
    timeout.tv_sec = static_cast<time_t>(seconds.count());
    timeout.tv_nsec = static_cast<long>(std::chrono::nanoseconds(wait - seconds).count());
    for (;;) {
        const int taken = sigtimedwait(&signals, nullptr, &timeout);
        if (taken > 0)
            return true;
        if (errno != EINTR)
            return false;
    }
}

void ConsoleStop::finished() {}
