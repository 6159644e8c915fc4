#include "hostsim/Session.h"

#include "pluginsdk/wrappers/CVarManagerWrapper.h"
#include "pluginsdk/wrappers/GameWrapper.h"

#include <cstdint>

namespace {
using GetPlugin = std::uintptr_t (*)();
using DeleteMe = void (*)();
using PinClock = void (*)(int, long long);
} // namespace

Session::Session(LoadedModule& module, std::filesystem::path dataRoot, std::ostream& out)
    : module_(module)
    , dataRoot_(std::move(dataRoot))
    , out_(out)
    , world_(hostcore::World::create()) {
    world_->dataFolder = dataRoot_;
    world_->consoleSink = [this](const std::string& line) { out_ << line << '\n'; };
    world_->onTimeAdvanced = [this](double now) {
        static_cast<void>(now);
        pushClockToModule();
    };
    pushClockToModule();
}

Session::~Session() {
    // The game's host unloads its plugins when it closes; so does a scenario that ends loaded.
    if (loaded())
        unload();
    if (auto pin = reinterpret_cast<PinClock>(module_.symbol("TallyglassPinClock")))
        pin(0, 0);
}

void Session::load() {
    if (loaded())
        return;
    world_->trace("# load");
    auto getPlugin = reinterpret_cast<GetPlugin>(module_.symbol("getPlugin"));
    auto* instance = reinterpret_cast<std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin>*>(getPlugin());
    plugin_ = *instance;
    if (!plugin_)
        return;
    plugin_->cvarManager = std::make_shared<CVarManagerWrapper>(world_);
    plugin_->gameWrapper = std::make_shared<GameWrapper>(world_);
    plugin_->onLoad();
}

void Session::unload() {
    if (!loaded())
        return;
    world_->trace("# unload");
    plugin_->onUnload();
    world_->dropPluginCallbacks();
    plugin_.reset();
    reinterpret_cast<DeleteMe>(module_.symbol("deleteMe"))();
}

void Session::pinClock(std::chrono::microseconds sinceEpoch) {
    pinnedClock_ = sinceEpoch - world_->elapsed();
    pushClockToModule();
}

void Session::wait(std::chrono::microseconds duration) {
    world_->advanceTime(duration);
}

void Session::pushClockToModule() {
    auto pin = reinterpret_cast<PinClock>(module_.symbol("TallyglassPinClock"));
    if (!pin)
        return;
    if (pinnedClock_)
        pin(1, std::chrono::floor<std::chrono::seconds>(*pinnedClock_ + world_->elapsed()).count());
    else
        pin(0, 0);
}
