// What the live view's tests share: the program run in-process, once or following until stopped, and
// the session.json it wrote.
#pragma once

#include "live/LiveProgram.h"
#include "live/StopSignal.h"
#include "tests/support/HostsimRun.h"
#include "tests/support/TestText.h"

#include <nlohmann/json.hpp>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

// A stop the test gives; waiting is real waiting. It keeps the longest wait the program asked for.
class TestStop final : public StopSignal {
public:
    bool waitForStop(std::chrono::milliseconds wait) override;
    void stop();
    std::chrono::milliseconds longestWait();

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool stopped_ = false;
    std::chrono::milliseconds longestWait_{0};
};

struct LiveResult {
    int exitCode = -1;
    std::string out;
    std::string err;
    // The longest pause between two looks at the file (following only).
    std::chrono::milliseconds longestPause{0};
};

// tallyglass-live with these arguments, once through, its clock at `clock` (seconds since 1970 UTC).
LiveResult runLiveOnce(const std::vector<std::string>& arguments, std::int64_t clock);

// tallyglass-live following a file on a thread of its own, on the real clock, until stopped.
class FollowingLive {
public:
    explicit FollowingLive(std::vector<std::string> arguments);
    ~FollowingLive();
    // Stops it and returns what it did.
    LiveResult stop();

private:
    TestStop stop_;
    std::ostringstream out_;
    std::ostringstream err_;
    std::atomic<int> exitCode_{-1};
    std::thread thread_;
    bool stopped_ = false;
};

// The session.json in `folder` (null when there is none or it does not parse).
nlohmann::json sessionJsonIn(const std::filesystem::path& folder);

// Waits up to `limit` for `condition`, looking every 50 ms; whether it came true.
bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit);
