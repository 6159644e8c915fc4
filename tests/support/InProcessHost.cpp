#include "tests/support/InProcessHost.h"

#include "plugin/GameEvents.h"
#include "plugin/WallClock.h"

#include <cmath>

InProcessHost::InProcessHost(const std::filesystem::path& dataFolder, std::int64_t clock,
                             const WorldSetup& beforeLoad)
    : InProcessHost(hostcore::World::create(), dataFolder, clock, beforeLoad) {}

InProcessHost::InProcessHost(std::shared_ptr<hostcore::World> world, const std::filesystem::path& dataFolder,
                             std::int64_t clock, const WorldSetup& beforeLoad)
    : world_(std::move(world)) {
    world_->reset();
    world_->dataFolder = dataFolder;
    world_->consoleSink = [this](const std::string& line) { console_.push_back(line); };
    world_->onTimeAdvanced = [clock](double now) {
        pinWallClock(clock + static_cast<std::int64_t>(std::floor(now)));
    };
    pinWallClock(clock);
    if (beforeLoad)
        beforeLoad(*world_);

    plugin_ = std::make_shared<Tallyglass>();
    plugin_->cvarManager = std::make_shared<CVarManagerWrapper>(world_);
    plugin_->gameWrapper = std::make_shared<GameWrapper>(world_);
    plugin_->onLoad();
}

InProcessHost::~InProcessHost() {
    release();
    unpinWallClock();
    world_->reset();
}

void InProcessHost::endMatch() {
    world_->fireEvent(kMatchEndedEvent);
}

void InProcessHost::wait(double seconds) {
    world_->advanceTime(seconds);
}

void InProcessHost::release(bool dropCallbacks) {
    if (dropCallbacks)
        world_->dropPluginCallbacks();
    plugin_.reset();
}
