#include "tests/live/LiveTestSupport.h"

#include <algorithm>

bool TestStop::waitForStop(std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    longestWait_ = std::max(longestWait_, wait);
    return changed_.wait_for(lock, wait, [this] { return stopped_; });
}

std::chrono::milliseconds TestStop::longestWait() {
    const std::lock_guard lock(mutex_);
    return longestWait_;
}

void TestStop::stop() {
    {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    changed_.notify_all();
}

LiveResult runLiveOnce(const std::vector<std::string>& arguments, std::int64_t clock) {
    TestStop stop;
    std::ostringstream out;
    std::ostringstream err;
    LiveSurroundings surroundings{out, err, stop, [clock] { return clock; }};
    LiveResult result;
    result.exitCode = runLive(arguments, surroundings);
    result.out = out.str();
    result.err = err.str();
    return result;
}

FollowingLive::FollowingLive(std::vector<std::string> arguments)
    : thread_([this, arguments = std::move(arguments)] {
        LiveSurroundings surroundings{out_, err_, stop_, systemClock};
        exitCode_ = runLive(arguments, surroundings);
    }) {}

FollowingLive::~FollowingLive() {
    if (!stopped_)
        stop();
}

LiveResult FollowingLive::stop() {
    stop_.stop();
    thread_.join();
    stopped_ = true;
    return LiveResult{exitCode_, out_.str(), err_.str(), stop_.longestWait()};
}

nlohmann::json sessionJsonIn(const std::filesystem::path& folder) {
    const std::string text = readFile(folder / "session.json");
    return nlohmann::json::parse(text, nullptr, false);
}

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}
