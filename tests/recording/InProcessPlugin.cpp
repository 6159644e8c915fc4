#include "tests/recording/InProcessPlugin.h"

#include "plugin/GameEvents.h"
#include "plugin/WallClock.h"

#include <cmath>

namespace {
constexpr std::int64_t kStartClock = 1765141509;
}

InProcessPlugin::InProcessPlugin(const std::filesystem::path& dataFolder)
    : world_(hostcore::World::create()) {
    world_->dataFolder = dataFolder;
    world_->consoleSink = [this](const std::string& line) { console_.push_back(line); };
    world_->onTimeAdvanced = [](double now) {
        pinWallClock(kStartClock + static_cast<std::int64_t>(std::floor(now)));
    };
    pinWallClock(kStartClock);

    hostcore::GameState& game = world_->game;
    game.online = true;
    game.localTeam = 1;
    game.teamScores = {2, 3};
    game.winnerTeam = 1;
    game.figures = {420, 2, 1, 3, 5, 1, 1};

    plugin_ = std::make_shared<Tallyglass>();
    plugin_->cvarManager = std::make_shared<CVarManagerWrapper>(world_);
    plugin_->gameWrapper = std::make_shared<GameWrapper>(world_);
    plugin_->onLoad();
}

InProcessPlugin::~InProcessPlugin() {
    release();
    unpinWallClock();
}

void InProcessPlugin::endMatch() {
    world_->fireEvent(kMatchEndedEvent);
}

void InProcessPlugin::wait(double seconds) {
    world_->advanceTime(seconds);
}

void InProcessPlugin::release(bool dropCallbacks) {
    if (dropCallbacks)
        world_->dropPluginCallbacks();
    plugin_.reset();
}
