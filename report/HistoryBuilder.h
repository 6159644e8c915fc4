// Computes the history summary from the rows of a stats file, fed one at a time in time order. A match
// earlier than one fed before ends its work: the rows were not in time order (inTimeOrder() says so),
// and a summary of them in that order would be wrong; summarizeStatsFile() then sorts them.
#pragma once

#include "report/ChartSeries.h"
#include "report/HistorySummary.h"
#include "report/StatsFileRows.h"
#include "statsfile/PlaylistRating.h"

#include <array>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class HistoryBuilder final : public StatsRowSink {
public:
    // `now`: the moment the periods (kPeriodDays) count back from.
    explicit HistoryBuilder(std::int64_t now);

    void match(const MatchRecord& match) override;
    void skipped(std::uint64_t line, const std::string& reason) override;

    // False once a match came earlier than one before it: the summary is not to be used.
    bool inTimeOrder() const { return inTimeOrder_; }

    HistorySummary finish();

private:
    // How far back a rating change is measured, and the rating it is measured from: the rating as it
    // stood at the window's start, after the last match before it (told by the first match inside, when
    // that match's rating before is what tells it), else before the first match inside.
    struct ChangeWindow {
        std::optional<std::int32_t> atStart;
        bool startUnknown = false; // the last match before the start left its rating after untold
        bool entered = false;      // a match inside the window has been read
    };
    struct PlaylistState {
        PlaylistSummary summary;
        PlaylistRating rating;
        std::array<ChangeWindow, kPeriodDays.size()> windows; // as kPeriodDays
        // The session whose last match of this playlist waits for the next match to tell its rating after.
        std::optional<std::uint64_t> sessionAwaitingRating;
    };
    struct TransparentHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };

    std::uint32_t playlistIndex(std::string_view name);
    // The peak rating of the whole history; `previousTime`: the time of the playlist's match before.
    static void countPeak(PlaylistSummary& playlist, const MatchRecord& match, std::int64_t previousTime,
                          const PlaylistRating::Step& step);
    // The periods the match falls in, and the rating each starts from.
    void countPeriods(PlaylistState& state, const MatchRecord& match, const PlaylistRating::Step& step);
    void countSession(const MatchRecord& match, std::uint32_t playlist, const PlaylistRating::Step& step);
    // The rating after a playlist's previous match, told now, into the session that ended with it.
    void settleSessionRating(PlaylistState& state, std::uint32_t playlist, std::optional<std::int32_t> after);
    SessionSummary* sessionNumbered(std::uint64_t number);
    void closeSession();
    FormSums formAfter(const MatchRecord& match);
    // The steps of finish().
    void settleRatingChanges();
    // Moves the playlists into the summary, most played first; returns each one's new index by its old.
    std::vector<std::uint32_t> movePlaylistsByPlay();
    // The newest kKeptSessions sessions into the summary, newest first, their playlists renumbered.
    void moveKeptSessions(const std::vector<std::uint32_t>& newIndex);

    HistorySummary summary_;
    std::array<std::int64_t, kPeriodDays.size()> periodStarts_;
    std::vector<PlaylistState> playlists_;
    std::unordered_map<std::string, std::uint32_t, TransparentHash, std::equal_to<>> playlistIndexes_;
    std::uint32_t lastPlaylist_ = 0;
    bool haveSession_ = false;
    SessionSummary session_;
    std::int64_t previousTime_ = std::numeric_limits<std::int64_t>::min();
    bool inTimeOrder_ = true;
    std::vector<SessionSummary> finishedSessions_; // oldest first, trimmed to the newest kKeptSessions
    std::array<std::array<std::int32_t, kFormStatistics>, kFormWindow> formWindow_{};
    FormSums formSums_;
    std::size_t formNext_ = 0; // the slot of formWindow_ the next match takes
    ChartSeries series_;
};

// Reads the file and computes its summary, every figure in the order of the matches' times: a file in
// time order is streamed once; one that is not is read a second time, its matches held and sorted
// (HeldRows). Throws StatsFileError when the file cannot be read.
HistorySummary summarizeStatsFile(const std::filesystem::path& file, std::int64_t now);
