// A reset world is a new world: a program that plays many short sessions in one world (a fuzz target)
// carries nothing of one session into the next.
#include "hostcore/World.h"
#include "pluginsdk/wrappers/CanvasWrapper.h"
#include "pluginsdk/wrappers/GameWrapper.h"
#include "pluginsdk/wrappers/UniqueIDWrapper.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

hostcore::ConsoleVariable boxRed() {
    return hostcore::ConsoleVariable{"tallyglass_box_r", "0", "red", true, true, 0, true, 255, true, {}};
}

TEST(WorldReset, NothingOfTheSessionBeforeRemains) {
    auto world = hostcore::World::create();
    int heard = 0; // whatever any callback or sink of the first session hears
    world->consoleSink = [&](const std::string&) { ++heard; };
    world->traceSink = [&](const std::string&) { ++heard; };
    world->onTimeAdvanced = [&](double) { ++heard; };
    world->playerId = "76561198000000002";
    world->dataFolder = "first-session";
    world->game.online = true;
    world->game.figures.points = 486;
    world->game.ratings[11] = 1183.4f;
    world->setCvar(world->addCvar(boxRed()), "12");
    world->addNotifier("tallyglass_start", [&](std::vector<std::string>) { ++heard; });
    world->addHook("Function TAGame.GameEvent_Soccar_TA.EventMatchEnded", [&](std::string) { ++heard; });
    world->addDrawable([&](CanvasWrapper canvas) {
        ++heard;
        canvas.DrawRect(Vector2{1, 2}, Vector2{3, 4});
    });
    world->addTimer([&](GameWrapper*) { ++heard; }, 60.0);
    const int firstRatingId = world->addRatingNotifier([&](UniqueIDWrapper) { ++heard; });
    world->drawFrames(2);
    world->advanceTime(6.5);
    world->recordDrawing = false;
    ASSERT_FALSE(world->lastFrame().empty());

    world->reset();

    const auto fresh = hostcore::World::create();
    EXPECT_TRUE(world->consoleVariables().empty());
    EXPECT_FALSE(world->hasNotifier("tallyglass_start"));
    EXPECT_EQ(world->drawableCount(), 0);
    EXPECT_EQ(world->pendingTimerCount(), 0);
    EXPECT_TRUE(world->lastFrame().empty());
    EXPECT_EQ(world->elapsed(), fresh->elapsed());
    EXPECT_EQ(world->playerId, fresh->playerId);
    EXPECT_EQ(world->dataFolder, fresh->dataFolder);
    EXPECT_EQ(world->recordDrawing, fresh->recordDrawing);
    EXPECT_EQ(world->game.online, fresh->game.online);
    EXPECT_EQ(world->game.figures.points, fresh->game.figures.points);
    EXPECT_EQ(world->game.ratings, fresh->game.ratings);
    EXPECT_EQ(world->game.teamScores, fresh->game.teamScores);
    EXPECT_EQ(world->game.playlist.title, fresh->game.playlist.title);

    // Nothing the first session registered is called any more, and its sinks hear nothing.
    const int heardBefore = heard;
    world->consoleLine("tallyglass_start");
    world->fireEvent("Function TAGame.GameEvent_Soccar_TA.EventMatchEnded");
    world->announceRating(hostcore::kDefaultPlayerId);
    world->advanceTime(120.0);
    world->drawFrames(1);
    EXPECT_EQ(heard, heardBefore);

    // A variable registered again starts from its default; ids and frames count from the start again.
    EXPECT_EQ(world->addCvar(boxRed()).value, "0");
    EXPECT_EQ(world->addRatingNotifier([](UniqueIDWrapper) {}), firstRatingId);
    world->reset();
    std::vector<std::string> trace;
    world->traceSink = [&](const std::string& line) { trace.push_back(line); };
    world->drawFrames(1);
    EXPECT_EQ(trace, std::vector<std::string>{"# frame 1"});
}

} // namespace
