#include "bench/MatchHistoryGenerator.h"

#include "statsfile/Columns.h"
#include "statsfile/MatchRecord.h"
#include "statsfile/RowWriting.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <string>

namespace {

struct PlaylistKind {
    const char* title;
    bool ranked;
    int startRating; // 0: the playlist has no rating
    int weight;      // how often it is played
};

constexpr std::array<PlaylistKind, 6> kPlaylists{{
    {"Ranked Doubles", true, 1105, 44},
    {"Ranked Duel", true, 880, 18},
    {"Ranked Standard", true, 990, 16},
    {"Casual Doubles", false, 760, 12},
    {"Rumble", false, 0, 6},
    {"Tournament, Saturday Cup", false, 0, 4},
}};

// A match lasts 330 to 560 seconds; between sessions of about seven matches lies a break of at least
// kShortestBreakSeconds. The average room a match takes, with a margin for runs of long sessions.
constexpr std::int64_t kShortestBreakSeconds = 31 * 60;
constexpr std::int64_t kSecondsPerMatchAtMost = 830;

std::string flagText(bool flag) {
    return flag ? "1" : "0";
}

// The match's cell in `column`: one case a column, as the plugin writes it.
std::string cellOf(const MatchRecord& match, StatsColumn column) {
    switch (column) {
    case StatsColumn::Assists:
        return std::to_string(match.assists);
    case StatsColumn::Demos:
        return std::to_string(match.demos);
    case StatsColumn::Goals:
        return std::to_string(match.goals);
    case StatsColumn::Mmr:
        return std::to_string(match.rating);
    case StatsColumn::Mvp:
        return flagText(match.mvp);
    case StatsColumn::MyTeamGoals:
        return std::to_string(match.myTeamGoals);
    case StatsColumn::OtherTeamGoals:
        return std::to_string(match.otherTeamGoals);
    case StatsColumn::Playlist:
        return std::string(match.playlist);
    case StatsColumn::Points:
        return std::to_string(match.points);
    case StatsColumn::Ranked:
        return flagText(match.ranked);
    case StatsColumn::Saves:
        return std::to_string(match.saves);
    case StatsColumn::Shots:
        return std::to_string(match.shots);
    case StatsColumn::Time:
        return std::to_string(match.time);
    case StatsColumn::Timestamp:
        return "00:00:00 01/01/26";
    case StatsColumn::Win:
        return flagText(match.win);
    case StatsColumn::MmrAfter:
        return match.ratingAfter > 0 ? std::to_string(match.ratingAfter) : std::string();
    }
    return {};
}

// The match's line as the plugin writes it.
std::string lineOf(const MatchRecord& match) {
    ColumnValues values;
    for (const StatsColumnDescription& description : kStatsColumns)
        values[writtenPosition(description.column)] = cellOf(match, description.column);
    return rowLine(values, writtenLayout());
}

class Generator {
public:
    explicit Generator(std::uint64_t variant)
        : random_(variant) {
        for (std::size_t at = 0; at < kPlaylists.size(); ++at)
            ratings_[at] = kPlaylists[at].startRating;
    }

    double uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random_);
    }
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    std::size_t playlist() {
        int total = 0;
        for (const PlaylistKind& kind : kPlaylists)
            total += kind.weight;
        int pick = between(0, total - 1);
        for (std::size_t at = 0; at < kPlaylists.size(); ++at) {
            if (pick < kPlaylists[at].weight)
                return at;
            pick -= kPlaylists[at].weight;
        }
        return 0;
    }

    MatchRecord nextMatch(std::int64_t time, std::size_t playlist) {
        const PlaylistKind& kind = kPlaylists[playlist];
        MatchRecord match;
        match.time = time;
        match.playlist = kind.title;
        match.ranked = kind.ranked;
        // Form comes and goes: a slow drift of the chance to win, plus a little streakiness.
        form_ = std::clamp(form_ + uniform(-0.03, 0.03), 0.38, 0.64);
        match.win = uniform(0.0, 1.0) < form_ + (lastWin_ ? 0.03 : -0.03);
        lastWin_ = match.win;
        // The rating before the match, and the one the host announces after it.
        int& rating = ratings_[playlist];
        match.rating = rating;
        if (kind.startRating > 0)
            rating = std::clamp(rating + (match.win ? between(6, 12) : -between(6, 12)), 200, 2200);
        match.ratingAfter = rating;
        drawFigures(match);
        return match;
    }

private:
    // The player's figures and the score, in the order they are drawn.
    void drawFigures(MatchRecord& match) {
        const bool win = match.win;
        match.goals = std::max(0, static_cast<int>(std::round(uniform(-0.6, win ? 3.2 : 2.0))));
        match.assists = std::max(0, static_cast<int>(std::round(uniform(-0.8, 1.9))));
        match.saves = std::max(0, static_cast<int>(std::round(uniform(-0.4, 3.4))));
        match.shots = match.goals + std::max(0, static_cast<int>(std::round(uniform(-0.5, 3.5))));
        match.demos = std::max(0, static_cast<int>(std::round(uniform(-1.2, 1.6))));
        match.points = 60 + match.goals * 100 + match.assists * 50 + match.saves * 50 + match.shots * 15 +
                       between(0, 140);
        match.myTeamGoals = win ? std::max(match.goals, between(1, 5)) : std::max(match.goals, between(0, 3));
        match.otherTeamGoals = win ? between(0, match.myTeamGoals - 1) : match.myTeamGoals + between(1, 3);
        match.mvp = win && match.points > 420 && uniform(0.0, 1.0) < 0.6;
    }

    std::mt19937_64 random_;
    std::array<int, kPlaylists.size()> ratings_{};
    double form_ = 0.5;
    bool lastWin_ = false;
};

} // namespace

void writeMatchHistory(std::ostream& out, const MatchHistoryShape& shape) {
    const char* lineEnd = shape.crlf ? "\r\n" : "\n";
    out << writtenHeaderLine() << lineEnd;

    Generator generator(shape.variant);
    constexpr double kMatchesPerSession = 7.0;
    const double sessions = std::max(1.0, static_cast<double>(shape.matches) / kMatchesPerSession);
    // Sessions start near an even spread over the span, mostly in the evening, never sooner than a
    // break of 31 minutes (a new session) after the last one. The span grows to hold that many
    // matches, so the newest stays at `end`: a time after it would be beyond a report's now.
    const std::int64_t span = std::max<std::int64_t>(
        shape.days * 86400, static_cast<std::int64_t>(shape.matches) * kSecondsPerMatchAtMost);
    const double spacing = static_cast<double>(span) / sessions;
    const std::int64_t first = shape.end - span;
    std::int64_t time = first - 86400;
    std::uint64_t written = 0;
    while (written < shape.matches) {
        const std::int64_t earliest = time + kShortestBreakSeconds;
        // Evenings drift by part of a day; sessions packed closer than that start on their mark, or
        // their breaks would add up to more than the span holds.
        const double drift = generator.uniform(0.0, 0.6);
        const bool evenings = spacing > 86400 / 2;
        // Placed by the matches written so far, so the history ends at `end` whatever the sessions' lengths.
        const double share = static_cast<double>(written) / static_cast<double>(shape.matches);
        std::int64_t start = first + static_cast<std::int64_t>(static_cast<double>(span) * share +
                                                               (evenings ? drift * spacing : 0.0));
        if (evenings)
            start = start - start % 86400 + 17 * 3600 + generator.between(0, 5 * 3600);
        time = std::max(earliest, start);
        const int length = generator.between(2, 12);
        std::size_t playlist = generator.playlist();
        for (int match = 0; match < length && written < shape.matches; ++match, ++written) {
            if (generator.uniform(0.0, 1.0) < 0.15)
                playlist = generator.playlist(); // a change of playlist within the evening
            out << lineOf(generator.nextMatch(time, playlist)) << lineEnd;
            time += generator.between(330, 560);
        }
    }
}
