#include "hostsim/DemoScenario.h"

#include <cstdio>
#include <sstream>

namespace {

constexpr DemoPlaylist kDoubles{"Ranked Doubles", 11, 1, false};
constexpr DemoPlaylist kStandard{"Ranked Standard", 13, 1, false};
constexpr DemoPlaylist kDuel{"Casual Duel", 1, 0, false};
constexpr DemoPlaylist kPrivate{"Private Match", 6, 0, true};

constexpr int kHour = 3600;

// In the order played. Each rating announced after a result is the next rating in that playlist.
const std::vector<DemoMatch> kMatches{
    // playlist, team, own, other, {points, goals, assists, saves, shots, demos, mvp}, rating before, after,
    // pause before, length
    {kDoubles,
     0,
     3,
     1,
     {486, 2, 1, 1, 4, 0, true},
     1183.42,
     1192.07,
     0,
     338,
     "Friday evening, Ranked Doubles."},
    {kDoubles, 1, 2, 4, {274, 1, 0, 2, 3, 1, false}, 1192.07, 1183.91, 74, 361},
    {kDoubles, 0, 5, 4, {612, 2, 2, 1, 6, 0, true}, 1183.91, 1193.35, 58, 402},
    {kDoubles, 1, 2, 1, {398, 1, 1, 3, 2, 2, false}, 1193.35, 1201.6, 91, 317},
    {kStandard,
     0,
     1,
     3,
     {208, 0, 1, 2, 2, 0, false},
     1046.8,
     1037.12,
     19 * kHour + 30 * 60,
     329,
     "Saturday afternoon, Ranked Standard."},
    {kStandard, 1, 4, 2, {533, 2, 1, 1, 5, 1, true}, 1037.12, 1046.25, 66, 344},
    {kStandard, 0, 0, 2, {152, 0, 0, 3, 1, 0, false}, 1046.25, 1038.6, 83, 310},
    {kStandard, 1, 3, 2, {441, 1, 2, 1, 3, 1, false}, 1038.6, 1047.93, 61, 389},
    {kPrivate,
     0,
     6,
     5,
     {720, 4, 1, 0, 9, 3, true},
     0,
     0,
     240,
     455,
     "A private match with friends: Tallyglass leaves it out of the stats file."},
    {kDuel,
     0,
     4,
     3,
     {560, 4, 0, 2, 8, 0, true},
     962.3,
     967.84,
     300,
     301,
     "The overlay is switched off for two casual duels; they are recorded all the same.",
     DemoOverlaySwitch::Stop},
    {kDuel, 1, 1, 2, {195, 1, 0, 3, 4, 1, false}, 967.84, 961.02, 52, 296},
    {kDoubles,
     0,
     2,
     3,
     {318, 1, 1, 2, 4, 0, false},
     1201.6,
     1192.77,
     26 * kHour,
     372,
     "Sunday, Ranked Doubles again, with the overlay switched back on.",
     DemoOverlaySwitch::Start},
    {kDoubles, 1, 4, 1, {587, 2, 1, 2, 7, 1, true}, 1192.77, 1202.48, 77, 352},
};

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
        << "matchend\n"
        << "wait 7            # the row is written 6 seconds after the match ends\n";
    if (!playlist.privateMatch) {
        out << "rating " << decimal(match.ratingAfter) << "\n"
            << "announce          # the new rating, recorded with the next match\n";
        lastAnnounced = match.ratingAfter;
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
    out << "\n# A minute and a half after the last match the player opens the scoreboard.\n"
        << "wait 90\n"
        << "echo \"== The scoreboard opens with the overlay:\"\n"
        << "scoreboard open\n"
        << "frame\n";
    return out.str();
}
