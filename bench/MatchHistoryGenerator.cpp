#include "bench/MatchHistoryGenerator.h"

#include "recording/StatsFileColumns.h"

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

    void row(std::ostream& out, std::int64_t time, std::size_t playlist, const char* lineEnd) {
        const PlaylistKind& kind = kPlaylists[playlist];
        // Form comes and goes: a slow drift of the chance to win, plus a little streakiness.
        form_ = std::clamp(form_ + uniform(-0.03, 0.03), 0.38, 0.64);
        const bool win = uniform(0.0, 1.0) < form_ + (lastWin_ ? 0.03 : -0.03);
        lastWin_ = win;
        int& rating = ratings_[playlist];
        if (kind.startRating > 0)
            rating = std::clamp(rating + (win ? between(6, 12) : -between(6, 12)), 200, 2200);
        const int goals = std::max(0, static_cast<int>(std::round(uniform(-0.6, win ? 3.2 : 2.0))));
        const int assists = std::max(0, static_cast<int>(std::round(uniform(-0.8, 1.9))));
        const int saves = std::max(0, static_cast<int>(std::round(uniform(-0.4, 3.4))));
        const int shots = goals + std::max(0, static_cast<int>(std::round(uniform(-0.5, 3.5))));
        const int demos = std::max(0, static_cast<int>(std::round(uniform(-1.2, 1.6))));
        const int points = 60 + goals * 100 + assists * 50 + saves * 50 + shots * 15 + between(0, 140);
        const int myGoals = win ? std::max(goals, between(1, 5)) : std::max(goals, between(0, 3));
        const int otherGoals = win ? between(0, myGoals - 1) : myGoals + between(1, 3);
        const bool mvp = win && points > 420 && uniform(0.0, 1.0) < 0.6;

        const auto value = [&](StatsColumn column) -> std::string {
            switch (column) {
            case StatsColumn::Assists:
                return std::to_string(assists);
            case StatsColumn::Demos:
                return std::to_string(demos);
            case StatsColumn::Goals:
                return std::to_string(goals);
            case StatsColumn::Mmr:
                return std::to_string(rating);
            case StatsColumn::Mvp:
                return mvp ? "1" : "0";
            case StatsColumn::MyTeamGoals:
                return std::to_string(myGoals);
            case StatsColumn::OtherTeamGoals:
                return std::to_string(otherGoals);
            case StatsColumn::Playlist:
                return kind.title;
            case StatsColumn::Points:
                return std::to_string(points);
            case StatsColumn::Ranked:
                return kind.ranked ? "1" : "0";
            case StatsColumn::Saves:
                return std::to_string(saves);
            case StatsColumn::Shots:
                return std::to_string(shots);
            case StatsColumn::Time:
                return std::to_string(time);
            case StatsColumn::Timestamp:
                return "00:00:00 01/01/26";
            case StatsColumn::Win:
                return win ? "1" : "0";
            }
            return {};
        };
        std::string line;
        for (const StatsColumnDescription& description : kStatsColumns) {
            if (!line.empty())
                line += ',';
            line += value(description.column);
        }
        out << line << lineEnd;
    }

private:
    std::mt19937_64 random_;
    std::array<int, kPlaylists.size()> ratings_{};
    double form_ = 0.5;
    bool lastWin_ = false;
};

} // namespace

void writeMatchHistory(std::ostream& out, const MatchHistoryShape& shape) {
    const char* lineEnd = shape.crlf ? "\r\n" : "\n";
    std::string header;
    for (const StatsColumnDescription& description : kStatsColumns)
        header.append(header.empty() ? "" : ",").append(description.name);
    out << header << lineEnd;

    Generator generator(shape.variant);
    constexpr double kMatchesPerSession = 7.0;
    const double sessions = std::max(1.0, static_cast<double>(shape.matches) / kMatchesPerSession);
    // Sessions start near an even spread over the span, mostly in the evening, never sooner than a
    // break of 45 minutes after the last one.
    const double spacing = static_cast<double>(shape.days * 86400) / sessions;
    const std::int64_t first = shape.end - shape.days * 86400;
    std::int64_t time = first - 86400;
    std::uint64_t written = 0;
    for (std::uint64_t session = 0; written < shape.matches; ++session) {
        const std::int64_t earliest = time + 45 * 60;
        std::int64_t start =
            first +
            static_cast<std::int64_t>(spacing * (static_cast<double>(session) + generator.uniform(0.0, 0.6)));
        if (spacing > 86400 / 2)
            start = start - start % 86400 + 17 * 3600 + generator.between(0, 5 * 3600);
        time = std::max(earliest, start);
        const int length = generator.between(2, 12);
        std::size_t playlist = generator.playlist();
        for (int match = 0; match < length && written < shape.matches; ++match, ++written) {
            if (generator.uniform(0.0, 1.0) < 0.15)
                playlist = generator.playlist(); // a change of playlist within the evening
            generator.row(out, time, playlist, lineEnd);
            time += generator.between(330, 560);
        }
    }
}
