// The scenario commands. Each entry checks its arguments when the scenario is read and returns what
// the command does when it runs; adding a command is one entry.
#include "hostsim/Arguments.h"
#include "hostsim/DisplayText.h"
#include "hostsim/HostsimError.h"
#include "hostsim/Scenario.h"
#include "hostsim/Seconds.h"
#include "statsfile/PathText.h"
#include "statsfile/Columns.h"

#include <array>
#include <climits>
#include <map>

namespace {

using Arguments = std::vector<std::string>;
using Parser = ScenarioAction (*)(const Arguments&, ScenarioTimeline&);

constexpr const char* kMatchEndedEvent = "Function TAGame.GameEvent_Soccar_TA.EventMatchEnded";
constexpr const char* kScoreboardOpenEvent = "Function TAGame.GFxData_GameEvent_TA.OnOpenScoreboard";
constexpr const char* kScoreboardCloseEvent = "Function TAGame.GFxData_GameEvent_TA.OnCloseScoreboard";

std::string joined(const Arguments& arguments) {
    std::string text;
    for (const std::string& argument : arguments)
        text += (text.empty() ? "" : " ") + argument;
    return text;
}

ScenarioAction fireEvent(std::string name) {
    return [name = std::move(name)](Session& session) { session.world().fireEvent(name); };
}

ScenarioAction player(const Arguments& args, ScenarioTimeline&) {
    expectArgumentCount(args, 1, 1);
    return [id = args[0]](Session& session) { session.world().playerId = id; };
}

ScenarioAction datafolder(const Arguments& args, ScenarioTimeline&) {
    expectArgumentCount(args, 1, 1);
    return [path = args[0]](Session& session) {
        std::filesystem::path folder = pathFromUtf8(path);
        session.world().dataFolder = folder.is_absolute() ? folder : session.dataRoot() / folder;
    };
}

ScenarioAction clock(const Arguments& args, ScenarioTimeline& timeline) {
    expectArgumentCount(args, 1, 1);
    const std::chrono::microseconds sinceEpoch = parseSeconds(args[0], "the clock");
    timeline.pin(sinceEpoch);
    return [sinceEpoch](Session& session) { session.pinClock(sinceEpoch); };
}

ScenarioAction wait(const Arguments& args, ScenarioTimeline& timeline) {
    expectArgumentCount(args, 1, 1);
    const std::chrono::microseconds duration = parseSeconds(args[0], "the wait");
    timeline.advance(duration);
    return [duration](Session& session) { session.wait(duration); };
}

ScenarioAction load(const Arguments& args, ScenarioTimeline&) {
    expectArgumentCount(args, 0, 0);
    return [](Session& session) { session.load(); };
}

ScenarioAction unload(const Arguments& args, ScenarioTimeline&) {
    expectArgumentCount(args, 0, 0);
    return [](Session& session) { session.unload(); };
}

ScenarioAction online(const Arguments& args, ScenarioTimeline&) {
    auto values = parseKeyValues(args, {"title", "id", "ranked", "lan", "private"});
    hostcore::Playlist change;
    bool hasId = values.count("id"), hasRanked = values.count("ranked");
    if (hasId)
        change.id = static_cast<int>(parseInteger(values["id"], INT_MIN, INT_MAX, "id"));
    if (hasRanked)
        change.ranked = static_cast<std::uint32_t>(parseInteger(values["ranked"], 0, UINT32_MAX, "ranked"));
    if (values.count("lan"))
        change.lan = parseFlag(values["lan"], "lan");
    if (values.count("private"))
        change.privateMatch = parseFlag(values["private"], "private");
    return [values, change, hasId, hasRanked](Session& session) {
        hostcore::GameState& game = session.world().game;
        game.online = true;
        if (values.count("title"))
            game.playlist.title = values.at("title");
        if (hasId)
            game.playlist.id = change.id;
        if (hasRanked)
            game.playlist.ranked = change.ranked;
        if (values.count("lan"))
            game.playlist.lan = change.lan;
        if (values.count("private"))
            game.playlist.privateMatch = change.privateMatch;
    };
}

ScenarioAction offline(const Arguments& args, ScenarioTimeline&) {
    expectArgumentCount(args, 0, 0);
    return [](Session& session) { session.world().game.online = false; };
}

ScenarioAction local(const Arguments& args, ScenarioTimeline&) {
    expectArgumentCount(args, 1, 1);
    if (args[0] == "none")
        return [](Session& session) { session.world().game.local = hostcore::LocalPlayer::NoController; };
    if (args[0] == "nopri")
        return
            [](Session& session) { session.world().game.local = hostcore::LocalPlayer::NoReplicationInfo; };
    auto values = parseKeyValues(args, {"team"});
    auto team = static_cast<unsigned char>(parseInteger(values["team"], 0, 255, "team"));
    return [team](Session& session) {
        session.world().game.local = hostcore::LocalPlayer::OnTeam;
        session.world().game.localTeam = team;
    };
}

ScenarioAction score(const Arguments& args, ScenarioTimeline&) {
    std::vector<int> scores;
    for (const std::string& arg : args)
        scores.push_back(static_cast<int>(parseInteger(arg, INT_MIN, INT_MAX, "a score")));
    return [scores](Session& session) { session.world().game.teamScores = scores; };
}

ScenarioAction winner(const Arguments& args, ScenarioTimeline&) {
    expectArgumentCount(args, 1, 1);
    std::optional<int> team;
    if (args[0] != "none")
        team = static_cast<int>(parseInteger(args[0], 0, 255, "the winner"));
    return [team](Session& session) { session.world().game.winnerTeam = team; };
}

// The host figure behind each of the player's own columns, which `stats` sets by the column's key; one
// case a column, so a figure added to the stats file reaches the command. False for the other columns.
bool setFigure(hostcore::MatchFigures& figures, StatsColumn column, long long value) {
    const auto whole = static_cast<int>(value);
    switch (column) {
    case StatsColumn::Assists:
        figures.assists = whole;
        return true;
    case StatsColumn::Demos:
        figures.demos = whole;
        return true;
    case StatsColumn::Goals:
        figures.goals = whole;
        return true;
    case StatsColumn::Mvp:
        figures.mvp = static_cast<std::uint32_t>(value);
        return true;
    case StatsColumn::Points:
        figures.points = whole;
        return true;
    case StatsColumn::Saves:
        figures.saves = whole;
        return true;
    case StatsColumn::Shots:
        figures.shots = whole;
        return true;
    case StatsColumn::Mmr:
    case StatsColumn::MyTeamGoals:
    case StatsColumn::OtherTeamGoals:
    case StatsColumn::Playlist:
    case StatsColumn::Ranked:
    case StatsColumn::Time:
    case StatsColumn::Timestamp:
    case StatsColumn::Win:
    case StatsColumn::MmrAfter:
        break;
    }
    return false;
}

std::vector<std::string> figureKeys() {
    std::vector<std::string> keys;
    for (const StatsColumnDescription& description : kStatsColumns)
        if (description.source == ValueSource::playerFigure)
            keys.emplace_back(description.key);
    return keys;
}

ScenarioAction stats(const Arguments& args, ScenarioTimeline&) {
    static const std::vector<std::string> keys = figureKeys();
    std::map<StatsColumn, long long> figures;
    for (const auto& [key, text] : parseKeyValues(args, keys)) {
        const StatsColumn column = *columnKeyed(key);
        // The MVP flag is the host's unsigned 32-bit value; the counts are ints.
        figures[column] = column == StatsColumn::Mvp ? parseInteger(text, 0, UINT32_MAX, key)
                                                     : parseInteger(text, INT_MIN, INT_MAX, key);
    }
    return [figures](Session& session) {
        for (const auto& [column, value] : figures)
            setFigure(session.world().game.figures, column, value);
    };
}

ScenarioAction rating(const Arguments& args, ScenarioTimeline&) {
    expectArgumentCount(args, 1, 2);
    // The playlist=N argument may stand before or after the value.
    Arguments keyed, plain;
    for (const std::string& arg : args)
        (arg.find('=') == std::string::npos ? plain : keyed).push_back(arg);
    if (plain.size() != 1)
        refuse("expected one rating value");
    std::optional<int> playlist;
    if (!keyed.empty()) {
        auto values = parseKeyValues(keyed, {"playlist"});
        playlist = static_cast<int>(parseInteger(values["playlist"], INT_MIN, INT_MAX, "playlist"));
    }
    auto value = static_cast<float>(parseDecimal(plain.front(), "the rating"));
    return [playlist, value](Session& session) {
        hostcore::GameState& game = session.world().game;
        game.ratings[playlist.value_or(game.playlist.id)] = value;
    };
}

ScenarioAction announce(const Arguments& args, ScenarioTimeline&) {
    expectArgumentCount(args, 0, 1);
    std::optional<std::string> named;
    if (!args.empty())
        named = args[0];
    return [named](Session& session) {
        session.world().announceRating(named.value_or(session.world().playerId));
    };
}

ScenarioAction event(const Arguments& args, ScenarioTimeline&) {
    expectArgumentCount(args, 1, 1);
    return fireEvent(args[0]);
}

ScenarioAction matchend(const Arguments& args, ScenarioTimeline&) {
    expectArgumentCount(args, 0, 0);
    return fireEvent(kMatchEndedEvent);
}

ScenarioAction scoreboard(const Arguments& args, ScenarioTimeline&) {
    expectArgumentCount(args, 1, 1);
    if (args[0] == "open")
        return fireEvent(kScoreboardOpenEvent);
    if (args[0] == "close")
        return fireEvent(kScoreboardCloseEvent);
    refuse("expected 'open' or 'close', not '" + displayText(args[0]) + "'");
}

ScenarioAction console(const Arguments& args, ScenarioTimeline&) {
    if (args.empty())
        refuse("expected a console line");
    return [line = joined(args)](Session& session) { session.world().consoleLine(line); };
}

ScenarioAction frame(const Arguments& args, ScenarioTimeline&) {
    expectArgumentCount(args, 0, 1);
    int count = args.empty() ? 1 : static_cast<int>(parseInteger(args[0], 0, 1000000, "the frame count"));
    return [count](Session& session) { session.world().drawFrames(count); };
}

ScenarioAction echo(const Arguments& args, ScenarioTimeline&) {
    return [text = joined(args)](Session& session) { session.out() << text << '\n'; };
}

const std::map<std::string, Parser> kCommands{
    {"player", player},
    {"datafolder", datafolder},
    {"clock", clock},
    {"wait", wait},
    {"load", load},
    {"unload", unload},
    {"online", online},
    {"offline", offline},
    {"local", local},
    {"score", score},
    {"winner", winner},
    {"stats", stats},
    {"rating", rating},
    {"announce", announce},
    {"event", event},
    {"matchend", matchend},
    {"scoreboard", scoreboard},
    {"console", console},
    {"frame", frame},
    {"echo", echo},
};

} // namespace

ScenarioAction parseCommand(const std::string& name, const std::vector<std::string>& arguments,
                            ScenarioTimeline& timeline) {
    auto command = kCommands.find(name);
    if (command == kCommands.end())
        refuse("unknown command '" + displayText(name) + "'");
    try {
        return command->second(arguments, timeline);
    } catch (const HostsimError& problem) {
        throw HostsimError(problem.status(), name + ": " + problem.what());
    }
}
