#include "hostsim/DemoScenario.h"

#include <cstdio>
#include <sstream>

namespace {

constexpr DemoPlaylist kDoubles{"Ranked Doubles", 11, 1, false};
constexpr DemoPlaylist kDuel{"Ranked Duel", 10, 1, false};
constexpr DemoPlaylist kCasual{"Casual Doubles", 2, 0, false};
constexpr DemoPlaylist kPrivate{"Private Match", 6, 0, true};

constexpr int kHour = 3600;

// In the order played. Each rating announced after a result is the next rating in that playlist.
// clang-format off
const std::vector<DemoMatch> kMatches{
    // playlist, team, own goals, other goals, {points, goals, assists, saves, shots, demos, mvp},
    // rating before, rating after, pause before, length, what the narrator says, overlay switch
    {kDoubles, 0, 3, 1, {486, 2, 1, 1, 4, 0, true},  1183.42, 1192.07, 0,  338, "Thursday evening, Ranked Doubles."},
    {kDoubles, 1, 2, 4, {274, 1, 0, 2, 3, 1, false}, 1192.07, 1183.91, 74, 361},
    {kDoubles, 0, 5, 4, {612, 2, 2, 1, 6, 0, true},  1183.91, 1193.35, 58, 402},
    {kDoubles, 1, 2, 1, {398, 1, 1, 3, 2, 2, false}, 1193.35, 1201.6,  91, 317},
    {kDuel,    0, 1, 3, {208, 1, 0, 2, 5, 0, false}, 946.8,   937.12,  43 * kHour + 30 * 60, 329,
     "Saturday afternoon, Ranked Duel."},
    {kDuel,    1, 4, 2, {533, 4, 0, 1, 7, 1, true},  937.12,  946.25,  66, 344},
    {kDuel,    0, 0, 2, {152, 0, 0, 3, 1, 0, false}, 946.25,  938.6,   83, 310},
    {kDuel,    1, 3, 2, {441, 3, 0, 1, 6, 1, false}, 938.6,   947.93,  61, 389},
    {kPrivate, 0, 6, 5, {720, 4, 1, 0, 9, 3, true},  0,       0,       240, 455,
     "A private match with friends: Tallyglass leaves it out of the stats file."},
    {kCasual,  0, 4, 3, {560, 2, 1, 2, 8, 0, true},  1062.3,  1067.84, 300, 301,
     "The overlay is switched off for two casual matches; they are recorded all the same.",
     DemoOverlaySwitch::Stop},
    {kCasual,  1, 1, 2, {195, 1, 0, 3, 4, 1, false}, 1067.84, 1061.02, 52, 296},
    {kDoubles, 0, 2, 3, {318, 1, 1, 2, 4, 0, false}, 1201.6,  1192.77, 26 * kHour, 372,
     "Sunday, Ranked Doubles again, with the overlay switched back on.", DemoOverlaySwitch::Start},
    {kDoubles, 1, 4, 1, {587, 2, 1, 2, 7, 1, true},  1192.77, 1202.48, 77, 352},
};
// clang-format on

std::string decimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string count(int number, const char* noun) {
    return std::to_string(number) + " " + noun + (number == 1 ? "" : "s");
}

std::string summary(const DemoMatch& match) {
    const DemoFigures& f = match.figures;
    std::ostringstream line;
    line << match.playlist.title << ": " << (match.won() ? "won " : "lost ") << match.ownGoals << "-"
         << match.otherGoals << "; " << count(f.points, "point") << ", " << count(f.goals, "goal") << ", "
         << count(f.assists, "assist") << ", " << count(f.saves, "save") << ", " << count(f.shots, "shot")
         << ", " << count(f.demos, "demo") << (f.mvp ? ", MVP" : "");
    if (!match.playlist.privateMatch)
        line << "; MMR " << static_cast<int>(match.ratingBefore) << " -> "
             << static_cast<int>(match.ratingAfter);
    return line.str();
}

void writeOverlaySwitch(std::ostream& out, DemoOverlaySwitch overlaySwitch) {
    if (overlaySwitch == DemoOverlaySwitch::Stop)
        out << "console tallyglass_stop\n"
            << "scoreboard open   # switched off: nothing is drawn\n"
            << "frame\n"
            << "scoreboard close\n";
    else if (overlaySwitch == DemoOverlaySwitch::Start)
        out << "console tallyglass_start\n";
}

void writeMatch(std::ostream& out, const DemoMatch& match, int number, double& lastAnnounced) {
    const DemoPlaylist& playlist = match.playlist;
    const DemoFigures& f = match.figures;
    const int winner = match.won() ? match.team : 1 - match.team;
    const int teamZeroGoals = match.team == 0 ? match.ownGoals : match.otherGoals;
    const int teamOneGoals = match.team == 0 ? match.otherGoals : match.ownGoals;

    out << "\n# Match " << number << "\n";
    if (match.aside)
        out << "echo " << quoted(std::string("== ") + match.aside) << "\n";
    writeOverlaySwitch(out, match.overlayBefore);
    out << "wait " << match.pauseBefore << "\n"
        << "online title=" << quoted(playlist.title) << " id=" << playlist.id << " ranked=" << playlist.ranked
        << " private=" << (playlist.privateMatch ? 1 : 0) << "\n";
    if (!playlist.privateMatch && match.ratingBefore != lastAnnounced) {
        out << "rating " << decimal(match.ratingBefore) << "\n"
            << "announce          # the rating as the player joins\n";
        lastAnnounced = match.ratingBefore;
    }
    out << "local team=" << match.team << "\n"
        << "score " << teamZeroGoals << " " << teamOneGoals << "\n"
        << "winner " << winner << "\n"
        << "stats points=" << f.points << " goals=" << f.goals << " assists=" << f.assists
        << " saves=" << f.saves << " shots=" << f.shots << " demos=" << f.demos << " mvp=" << (f.mvp ? 1 : 0)
        << "\n"
        << "wait " << match.length << "\n"
        << "matchend\n";
    if (!playlist.privateMatch) {
        out << "wait 3\n"
            << "rating " << decimal(match.ratingAfter) << "\n"
            << "announce          # the new rating, before the row is written: the rating after the match\n"
            << "wait 4            # the row is written 6 seconds after the match ends\n";
        lastAnnounced = match.ratingAfter;
    } else {
        out << "wait 7\n";
    }
    out << "echo " << quoted(summary(match)) << "\n";
}

} // namespace

const std::vector<DemoMatch>& demoMatches() {
    return kMatches;
}

std::string demoScenario() {
    std::ostringstream out;
    out << "# hostsim demo: a weekend of matches against the real Tallyglass module.\n"
        << "clock " << kDemoClockStart << "\n"
        << "load\n"
        << "echo \"== Tallyglass is loaded. The console reports a setting:\"\n"
        << "console tallyglass_box_opacity\n";
    double lastAnnounced = -1;
    int number = 0;
    for (const DemoMatch& match : kMatches)
        writeMatch(out, match, ++number, lastAnnounced);
    out << "\n# Two hours later the player starts another match and opens the scoreboard.\n"
        << "wait 7300\n"
        << "online title=\"Ranked Doubles\" id=11 ranked=1 private=0\n"
        << "echo \"== Sunday night, a new match: the player opens the scoreboard.\"\n"
        << "scoreboard open\n"
        << "frame\n";
    return out.str();
}
