// The substitute host's whole state and the controls a host program drives it with. Plugins never
// see this header; they reach the world only through the SDK wrappers.
#pragma once

#include "hostcore/DrawCall.h"
#include "hostcore/GameState.h"
#include "pluginsdk/Export.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CanvasWrapper;
class GameWrapper;
class UniqueIDWrapper;

namespace hostcore {

struct ConsoleVariable {
    std::string name;
    std::string defaultValue;
    std::string description;
    bool searchable = false;
    bool hasMin = false;
    float min = 0;
    bool hasMax = false;
    float max = 0;
    bool saveToCfg = false;
    std::string value;
};

// The local player's id until a scenario names another.
inline constexpr const char* kDefaultPlayerId = "76561198000000001";

class PLUGINSDK_API World : public std::enable_shared_from_this<World> {
public:
    static std::shared_ptr<World> create();
    World();
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // Where console lines (the plugin's log and the console's own answers) and trace lines go.
    std::function<void(const std::string&)> consoleSink;
    std::function<void(const std::string&)> traceSink;
    // Told the host time (seconds since the host started) whenever it advances; elapsed() has it exactly.
    std::function<void(double)> onTimeAdvanced;
    // Whether canvas calls are kept for lastFrame(); a benchmark switches it off to measure the drawable
    // alone.
    bool recordDrawing = true;

    GameState game;
    std::string playerId = kDefaultPlayerId;
    std::filesystem::path dataFolder;

    // Controls used by host programs.
    void consoleLine(const std::string& line);
    void fireEvent(const std::string& eventName);
    void announceRating(const std::string& playerIdNamed);
    void drawFrames(int count);
    // The host's time counts whole microseconds, so that many short waits add up exactly to a long one
    // and a timer falls due at the very instant its delay names.
    void advanceTime(std::chrono::microseconds duration);
    // The same for a duration in seconds, rounded to the microsecond; negative or not a number is none.
    void advanceTime(double seconds);
    std::chrono::microseconds elapsed() const { return now_; }
    double now() const { return static_cast<double>(now_.count()) / 1e6; }
    // Forgets every callback a plugin registered; console variables stay, as in the real host.
    void dropPluginCallbacks();
    // Returns the world to the state of a newly created one: no console variables, callbacks, timers or
    // sinks, the time at 0, the game, player id and data folder as new. Only the memory the frame record
    // has grown to is kept, so a program that plays many short sessions in one world (a fuzz target)
    // does not allocate it anew for each.
    void reset();
    const std::vector<DrawCall>& lastFrame() const { return lastFrame_; }
    int drawableCount() const { return static_cast<int>(drawables_.size()); }
    int pendingTimerCount() const { return static_cast<int>(timers_.size()); }
    const std::map<std::string, ConsoleVariable>& consoleVariables() const { return cvars_; }
    bool hasNotifier(const std::string& name) const { return notifiers_.count(name) != 0; }

    // Used by the SDK wrappers. A wrapper makes a call's trace line only while someone listens.
    bool tracing() const { return static_cast<bool>(traceSink); }
    void trace(const std::string& line);
    void console(const std::string& line);
    void addNotifier(std::string name, std::function<void(std::vector<std::string>)> callback);
    ConsoleVariable& addCvar(ConsoleVariable cvar);
    ConsoleVariable* findCvar(const std::string& name);
    void setCvar(ConsoleVariable& cvar, const std::string& text);
    void addHook(std::string eventName, std::function<void(std::string)> callback);
    void addDrawable(std::function<void(CanvasWrapper)> callback);
    void clearDrawables();
    void addTimer(std::function<void(GameWrapper*)> callback, double delaySeconds);
    int addRatingNotifier(std::function<void(UniqueIDWrapper)> callback);
    void removeRatingNotifier(int id);
    void recordDraw(DrawCall call);

private:
    struct Timer {
        std::chrono::microseconds due;
        long long order;
        std::function<void(GameWrapper*)> callback;
    };

    std::chrono::microseconds now_{0};
    long long timerOrder_ = 0;
    int nextNotifierId_ = 1;
    std::map<std::string, ConsoleVariable> cvars_;
    std::map<std::string, std::function<void(std::vector<std::string>)>> notifiers_;
    std::vector<std::pair<std::string, std::function<void(std::string)>>> hooks_;
    std::vector<std::function<void(CanvasWrapper)>> drawables_;
    std::vector<Timer> timers_;
    std::map<int, std::function<void(UniqueIDWrapper)>> ratingNotifiers_;
    std::vector<DrawCall> lastFrame_;
    int frameNumber_ = 0;
};

// Text forms of the trace: quoted text with '"' and '\' escaped, floats as %g.
PLUGINSDK_API std::string traceQuote(const std::string& text);
PLUGINSDK_API std::string traceFloat(double value);

} // namespace hostcore
