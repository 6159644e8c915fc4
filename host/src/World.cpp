// The substitute host's state: console, hooks, timers, drawables and rating notifiers.
#include "hostcore/World.h"

#include "pluginsdk/wrappers/CanvasWrapper.h"
#include "pluginsdk/wrappers/GameWrapper.h"
#include "pluginsdk/wrappers/UniqueIDWrapper.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <utility>

namespace hostcore {

namespace {

std::vector<std::string> splitBlanks(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// Console variables hold numbers as the shortest text that gives them back.
std::string numberText(double value) {
    if (std::trunc(value) == value && std::fabs(value) < 1e15)
        return std::to_string(static_cast<long long>(value));
    return traceFloat(value);
}

// A delay or duration in seconds as whole microseconds: rounded, never negative, and at most what the
// host's time can still add without overflowing (a few thousand centuries, far past any session).
std::chrono::microseconds wholeMicroseconds(double seconds) {
    constexpr double kLongest = 1e17; // microseconds, about 3 million years
    const double micros = seconds * 1e6;
    if (!(micros > 0))
        return std::chrono::microseconds(0);
    return std::chrono::microseconds(std::llround(std::min(micros, kLongest)));
}

} // namespace

std::string traceQuote(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

std::string traceFloat(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

std::shared_ptr<World> World::create() {
    return std::make_shared<World>();
}

World::World() = default;
World::~World() = default;

void World::trace(const std::string& line) {
    if (traceSink)
        traceSink(line);
}

void World::console(const std::string& line) {
    if (consoleSink)
        consoleSink(line);
}

void World::consoleLine(const std::string& line) {
    std::vector<std::string> words = splitBlanks(line);
    if (words.empty())
        return;
    const std::string& name = words.front();
    if (auto notifier = notifiers_.find(name); notifier != notifiers_.end()) {
        auto callback = notifier->second; // a notifier may register others while it runs
        callback(words);
        return;
    }
    if (ConsoleVariable* cvar = findCvar(name)) {
        if (words.size() == 1) {
            console(name + " = " + cvar->value);
            return;
        }
        std::string value = line.substr(line.find(words[1]));
        while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
            value.pop_back();
        setCvar(*cvar, value);
        return;
    }
    console("Unknown command: " + name);
}

void World::addNotifier(std::string name, std::function<void(std::vector<std::string>)> callback) {
    notifiers_[std::move(name)] = std::move(callback);
}

ConsoleVariable& World::addCvar(ConsoleVariable cvar) {
    // Registering a name again keeps the value the console already holds, as saved settings do.
    auto [it, inserted] = cvars_.try_emplace(cvar.name, cvar);
    if (inserted)
        setCvar(it->second, cvar.defaultValue);
    return it->second;
}

ConsoleVariable* World::findCvar(const std::string& name) {
    auto it = cvars_.find(name);
    return it == cvars_.end() ? nullptr : &it->second;
}

void World::setCvar(ConsoleVariable& cvar, const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    double value = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(value))
        value = 0;
    if (cvar.hasMin)
        value = std::max(value, static_cast<double>(cvar.min));
    if (cvar.hasMax)
        value = std::min(value, static_cast<double>(cvar.max));
    cvar.value = numberText(value);
}

void World::addHook(std::string eventName, std::function<void(std::string)> callback) {
    hooks_.emplace_back(std::move(eventName), std::move(callback));
}

void World::fireEvent(const std::string& eventName) {
    std::vector<std::function<void(std::string)>> called;
    for (const auto& [name, callback] : hooks_)
        if (name == eventName)
            called.push_back(callback);
    for (auto& callback : called)
        callback(eventName);
}

void World::addDrawable(std::function<void(CanvasWrapper)> callback) {
    drawables_.push_back(std::move(callback));
}

void World::clearDrawables() {
    drawables_.clear();
}

void World::drawFrames(int count) {
    for (int i = 0; i < count; ++i) {
        trace("# frame " + std::to_string(++frameNumber_));
        if (drawables_.empty())
            continue;
        lastFrame_.clear();
        auto called = drawables_;
        for (auto& callback : called)
            callback(CanvasWrapper(shared_from_this()));
    }
}

void World::recordDraw(DrawCall call) {
    lastFrame_.push_back(std::move(call));
}

void World::addTimer(std::function<void(GameWrapper*)> callback, double delaySeconds) {
    timers_.push_back(Timer{now_ + wholeMicroseconds(delaySeconds), timerOrder_++, std::move(callback)});
}

void World::advanceTime(double seconds) {
    advanceTime(wholeMicroseconds(seconds));
}

void World::advanceTime(std::chrono::microseconds duration) {
    const std::chrono::microseconds target = now_ + std::max(duration, std::chrono::microseconds(0));
    for (;;) {
        auto due = std::min_element(timers_.begin(), timers_.end(), [](const Timer& a, const Timer& b) {
            return a.due != b.due ? a.due < b.due : a.order < b.order;
        });
        if (due == timers_.end() || due->due > target)
            break;
        now_ = std::max(now_, due->due);
        auto callback = std::move(due->callback);
        timers_.erase(due);
        if (onTimeAdvanced)
            onTimeAdvanced(now());
        GameWrapper gameWrapper(shared_from_this());
        callback(&gameWrapper);
    }
    now_ = target;
    if (onTimeAdvanced)
        onTimeAdvanced(now());
}

int World::addRatingNotifier(std::function<void(UniqueIDWrapper)> callback) {
    int id = nextNotifierId_++;
    ratingNotifiers_[id] = std::move(callback);
    return id;
}

void World::removeRatingNotifier(int id) {
    ratingNotifiers_.erase(id);
}

void World::announceRating(const std::string& playerIdNamed) {
    std::vector<std::function<void(UniqueIDWrapper)>> called;
    for (const auto& entry : ratingNotifiers_)
        called.push_back(entry.second);
    for (auto& callback : called)
        callback(UniqueIDWrapper(playerIdNamed));
}

void World::dropPluginCallbacks() {
    notifiers_.clear();
    hooks_.clear();
    drawables_.clear();
    timers_.clear();
    ratingNotifiers_.clear();
}

void World::reset() {
    consoleSink = nullptr;
    traceSink = nullptr;
    onTimeAdvanced = nullptr;
    recordDrawing = true;
    // Swapped with a fresh state rather than assigned one: GCC 12 at -O3 warns, wrongly, that the
    // temporary's title may be used uninitialized.
    GameState fresh;
    std::swap(game, fresh);
    playerId = kDefaultPlayerId;
    dataFolder.clear();
    now_ = std::chrono::microseconds(0);
    timerOrder_ = 0;
    nextNotifierId_ = 1;
    cvars_.clear();
    dropPluginCallbacks();
    lastFrame_.clear();
    frameNumber_ = 0;
}

} // namespace hostcore
