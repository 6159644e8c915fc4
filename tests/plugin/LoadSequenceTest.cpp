// What the real module registers with the host when it loads, read from hostsim's trace; a load into a
// world another host used; and the settings snapshot that starts only at the first scoreboard opening.
#include "hostsim/ModuleLoader.h"
#include "hostsim/Session.h"
#include "plugin/GameEvents.h"
#include "plugin/Tallyglass.h"
#include "tests/support/HostsimRun.h"
#include "tests/support/InProcessHost.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

namespace {

struct ExpectedCvar {
    const char* name;
    const char* defaultValue;
    const char* description;
    const char* min;
    const char* max;
};

// The console variables a player styles the overlay with, as the host must show them.
const ExpectedCvar kExpectedCvars[] = {
    {"tallyglass_box_mmr", "1", "Enables MMR Box", "0", "1"},
    {"tallyglass_box_score", "1", "Enables Score Box", "0", "1"},
    {"tallyglass_box_goals", "1", "Enables Goals Box", "0", "1"},
    {"tallyglass_box_assists", "1", "Enables Assists Box", "0", "1"},
    {"tallyglass_box_saves", "1", "Enables Saves Box", "0", "1"},
    {"tallyglass_box_shots", "1", "Enables Shots Box", "0", "1"},
    {"tallyglass_box_demos", "1", "Enables Demos Box", "0", "1"},
    {"tallyglass_box_opacity", "210", "Change opacity for the stat boxes", "1", "255"},
    {"tallyglass_text_opacity", "255", "Change opacity for the text", "1", "255"},
    {"tallyglass_box_r", "0", "Change Red Value for stat boxes", "0", "255"},
    {"tallyglass_box_g", "0", "Change Green Value for stat boxes", "0", "255"},
    {"tallyglass_box_b", "0", "Change Blue Value for stat boxes", "0", "255"},
    {"tallyglass_box_mmr_x", "405", "Coordinates for MMR Box", "0", "1920"},
    {"tallyglass_box_mmr_y", "730", "Coordiantes for MMR Box", "0", "1080"},
    {"tallyglass_box_points_x", "405", "Coordinates for Points Box", "0", "1920"},
    {"tallyglass_box_points_y", "900", "Coordiantes for Points Box", "0", "1080"},
    {"tallyglass_box_goals_x", "740", "Coordinates for Goals Box", "0", "1920"},
    {"tallyglass_box_goals_y", "900", "Coordiantes for Goals Box", "0", "1080"},
    {"tallyglass_box_assists_x", "1070", "Coordinates for Assists Box", "0", "1920"},
    {"tallyglass_box_assists_y", "900", "Coordiantes for Assists Box", "0", "1080"},
    {"tallyglass_box_saves_x", "1400", "Coordinates for Saves Box", "0", "1920"},
    {"tallyglass_box_saves_y", "900", "Coordiantes for Saves Box", "0", "1080"},
    {"tallyglass_box_shots_x", "740", "Coordinates for Shots Box", "0", "1920"},
    {"tallyglass_box_shots_y", "730", "Coordiantes for Shots Box", "0", "1080"},
    {"tallyglass_box_demos_x", "1070", "Coordinates for Demos Box", "0", "1920"},
    {"tallyglass_box_demos_y", "730", "Coordinates for Demos Box", "0", "1080"},
};

std::vector<std::string> expectedRegistrations() {
    std::vector<std::string> lines{
        "# load",
        R"(log "--- > Tallyglass V1.1 Plugin loaded! < ---")",
        R"(registerNotifier "tallyglass_start" "Enables the Tallyglass Plugin." 0)",
        R"(registerNotifier "tallyglass_stop" "Disables the Tallyglass Plugin." 0)",
    };
    for (const ExpectedCvar& cvar : kExpectedCvars) {
        std::ostringstream line;
        line << "registerCvar \"" << cvar.name << "\" \"" << cvar.defaultValue << "\" \"" << cvar.description
             << "\" 1 1 " << cvar.min << " 1 " << cvar.max << " 1";
        lines.push_back(line.str());
    }
    lines.push_back(R"(HookEvent "Function TAGame.GFxData_GameEvent_TA.OnOpenScoreboard")");
    lines.push_back(R"(HookEvent "Function TAGame.GFxData_GameEvent_TA.OnCloseScoreboard")");
    lines.push_back(R"(HookEvent "Function TAGame.GameEvent_Soccar_TA.EventMatchEnded")");
    lines.push_back("RegisterMMRNotifier");
    return lines;
}

TEST(LoadSequence, RegistersBannerNotifiersConsoleVariablesHooksAndRatingNotifierInOrder) {
    TempFolder data;
    HostsimResult result = runScenario("load\n", data.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "--- > Tallyglass V1.1 Plugin loaded! < ---\n");

    std::vector<std::string> registrations;
    for (const std::string& line : result.trace) {
        if (line == "# unload")
            break;
        registrations.push_back(line);
    }
    EXPECT_EQ(registrations, expectedRegistrations());
}

TEST(LoadSequence, ReloadingRegistersAgainAndKeepsTheConsoleValues) {
    TempFolder data;
    HostsimResult result = runScenario(
        "load\nconsole tallyglass_box_r 12\nunload\nload\nconsole tallyglass_box_r\n", data.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.traceLines("RegisterMMRNotifier").size(), 2u);
    EXPECT_NE(result.out.find("tallyglass_box_r = 12\n"), std::string::npos) << result.out;
}

// The fuzz targets play every input in one kept world. Unlike a reload, a plugin loaded there finds the
// world as new: nothing of the host before, neither its console values nor its timers or drawables.
TEST(LoadSequence, AHostInAKeptWorldFindsNothingOfTheHostBefore) {
    TempFolder data;
    const auto world = hostcore::World::create();
    {
        InProcessHost first(world, data.path(), 1796677509, [](hostcore::World& before) {
            before.game.online = true;
            before.game.winnerTeam = 0;
        });
        world->consoleLine("tallyglass_box_r 12");
        world->fireEvent(kScoreboardOpenedEvent);
        first.endMatch();
        first.wait(1.5);
        ASSERT_EQ(world->pendingTimerCount(), 1);
        ASSERT_EQ(world->drawableCount(), 1);
    }

    InProcessHost second(world, data.path(), 1796677509);
    ASSERT_NE(world->findCvar("tallyglass_box_r"), nullptr);
    EXPECT_EQ(world->findCvar("tallyglass_box_r")->value, "0");
    EXPECT_EQ(world->pendingTimerCount(), 0);
    EXPECT_EQ(world->drawableCount(), 0);
    EXPECT_EQ(world->elapsed(), std::chrono::microseconds(0));
    EXPECT_FALSE(world->game.online);
    EXPECT_EQ(second.console(), std::vector<std::string>{"--- > Tallyglass V1.1 Plugin loaded! < ---"});
}

TEST(SettingsSnapshot, PositionsStayZeroUntilTheFirstScoreboardOpeningThoughTheConsoleHoldsDefaults) {
    TempFolder data;
    LoadedModule module;
    ASSERT_NO_THROW(module.open(defaultModulePath()));
    std::ostringstream console;
    {
        Session session(module, data.path(), console);
        session.load();
        auto getPlugin = reinterpret_cast<std::uintptr_t (*)()>(module.symbol("getPlugin"));
        auto* plugin = static_cast<Tallyglass*>(
            reinterpret_cast<std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin>*>(getPlugin())->get());
        ASSERT_NE(plugin, nullptr);

        const auto& cvars = session.world().consoleVariables();
        EXPECT_EQ(cvars.at("tallyglass_box_mmr_x").value, "405");
        EXPECT_EQ(cvars.at("tallyglass_box_saves_x").value, "1400");
        for (std::int32_t position :
             {plugin->mmrBoxX, plugin->mmrBoxY, plugin->pointsBoxX, plugin->pointsBoxY, plugin->goalsBoxX,
              plugin->goalsBoxY, plugin->assistsBoxX, plugin->assistsBoxY, plugin->savesBoxX,
              plugin->savesBoxY, plugin->shotsBoxX, plugin->shotsBoxY, plugin->demosBoxX, plugin->demosBoxY})
            EXPECT_EQ(position, 0);

        session.world().consoleLine("tallyglass_box_b 300");
        session.world().fireEvent("Function TAGame.GFxData_GameEvent_TA.OnOpenScoreboard");
        EXPECT_EQ(plugin->mmrBoxX, 405);
        EXPECT_EQ(plugin->mmrBoxY, 730);
        EXPECT_EQ(plugin->savesBoxX, 1400);
        EXPECT_EQ(plugin->demosBoxY, 730);
        EXPECT_EQ(plugin->boxBlue, 255) << "the console keeps a value within its registered range";
    }
}

} // namespace
