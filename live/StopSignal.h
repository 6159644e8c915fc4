// How the following loop waits between two looks at the file and learns that it should end.
#pragma once

#include <chrono>

class StopSignal {
public:
    virtual ~StopSignal() = default;
    // Waits up to `wait`; true, at once, when the program is asked to end.
    virtual bool waitForStop(std::chrono::milliseconds wait) = 0;
};

// Ctrl-C, and on Windows the console window closed (or the session ending); on Linux also SIGTERM and
// SIGHUP. Make it in main before anything else, on the main thread: it takes those signals over.
class ConsoleStop final : public StopSignal {
public:
    ConsoleStop();
    ~ConsoleStop() override;
    ConsoleStop(const ConsoleStop&) = delete;
    ConsoleStop& operator=(const ConsoleStop&) = delete;

    bool waitForStop(std::chrono::milliseconds wait) override;
    // The program has finished its work: a console window being closed may now go (Windows).
    void finished();
};
