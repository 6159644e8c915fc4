#include "report/HistoryBuilder.h"

#include "report/FigureText.h"
#include "report/HeldRows.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace {

void countStreak(std::int64_t& current, std::int64_t& best, bool win) {
    current = streakAfter(current, win);
    best = std::max(best, current);
}

} // namespace

HistoryBuilder::HistoryBuilder(std::int64_t now) {
    summary_.now = now;
    for (std::size_t period = 0; period < kPeriodDays.size(); ++period) {
        periodStarts_[period] = now - kPeriodDays[period] * kSecondsPerDay;
        summary_.periods[period].days = kPeriodDays[period];
    }
}

std::uint32_t HistoryBuilder::playlistIndex(std::string_view name) {
    // Consecutive matches mostly share their playlist.
    if (lastPlaylist_ < playlists_.size() && playlists_[lastPlaylist_].summary.name == name)
        return lastPlaylist_;
    auto found = playlistIndexes_.find(name);
    if (found == playlistIndexes_.end()) {
        const auto index = static_cast<std::uint32_t>(playlists_.size());
        found = playlistIndexes_.emplace(std::string(name), index).first;
        playlists_.emplace_back();
        playlists_.back().summary.name = std::string(name);
    }
    lastPlaylist_ = found->second;
    return lastPlaylist_;
}

void HistoryBuilder::match(const MatchRecord& match) {
    if (!inTimeOrder_ || match.time < previousTime_) {
        inTimeOrder_ = false;
        return;
    }
    const std::uint32_t index = playlistIndex(match.playlist);
    PlaylistState& state = playlists_[index];
    PlaylistSummary& playlist = state.summary;

    if (summary_.matches == 0)
        summary_.firstMatch = match.time;
    summary_.lastMatch = match.time;
    summary_.count(match.win);
    countStreak(summary_.currentStreak, summary_.bestWinStreak, match.win);

    const std::int64_t previousTime = playlist.lastPlayed;
    playlist.count(match.win);
    playlist.mvps += match.mvp ? 1 : 0;
    playlist.ranked = match.ranked;
    playlist.lastPlayed = match.time;
    for (std::size_t which = 0; which < kAveragedMembers.size(); ++which)
        playlist.sums[which] += match.*kAveragedMembers[which];
    countStreak(playlist.currentStreak, playlist.bestWinStreak, match.win);

    const PlaylistRating::Step step = state.rating.take(match);
    playlist.currentRating = state.rating.latest();
    playlist.currentRatingFromBefore = state.rating.latestIsFromBefore();
    countPeak(playlist, match, previousTime, step);
    countPeriods(state, match, step);
    settleSessionRating(state, index, step.previousAfter);
    countSession(match, index, step);
    series_.add(summary_.matches, match.time, index, step.previousAfter, step.after, state.rating.latest(),
                formAfter(match));
}

void HistoryBuilder::countPeak(PlaylistSummary& playlist, const MatchRecord& match, std::int64_t previousTime,
                               const PlaylistRating::Step& step) {
    // In time order, so that of equal ratings the first reached stays.
    const auto reach = [&](std::int32_t rating, std::int64_t time) {
        if (!playlist.peakRating || rating > *playlist.peakRating) {
            playlist.peakRating = rating;
            playlist.peakRatingTime = time;
        }
    };
    if (step.previousAfter)
        reach(*step.previousAfter, previousTime); // the rating it stood at after the match before
    if (match.rating > 0)
        reach(match.rating, match.time);
    if (step.after)
        reach(*step.after, match.time);
}

void HistoryBuilder::countPeriods(PlaylistState& state, const MatchRecord& match,
                                  const PlaylistRating::Step& step) {
    for (std::size_t period = 0; period < kPeriodDays.size(); ++period) {
        ChangeWindow& counted = state.windows[period];
        if (match.time <= periodStarts_[period]) {
            counted.atStart = step.after;
            counted.startUnknown = !step.after;
            continue;
        }
        PlaylistPeriod& figures = state.summary.periods[period];
        figures.count(match.win);
        summary_.periods[period].count(match.win);
        for (const std::int32_t rating : {match.rating, step.after.value_or(0)})
            if (rating > 0 && (!figures.peakRating || rating > *figures.peakRating))
                figures.peakRating = rating;
        if (counted.entered)
            continue;
        counted.entered = true;
        if (counted.startUnknown && step.previousAfter)
            counted.atStart = step.previousAfter;
        if (!counted.atStart)
            counted.atStart = step.before;
    }
}

SessionSummary* HistoryBuilder::sessionNumbered(std::uint64_t number) {
    if (haveSession_ && session_.number == number)
        return &session_;
    for (auto session = finishedSessions_.rbegin(); session != finishedSessions_.rend(); ++session)
        if (session->number == number)
            return &*session;
    return nullptr; // older than the sessions kept
}

void HistoryBuilder::settleSessionRating(PlaylistState& state, std::uint32_t playlist,
                                         std::optional<std::int32_t> after) {
    const std::optional<std::uint64_t> awaiting = std::exchange(state.sessionAwaitingRating, std::nullopt);
    if (!awaiting || !after)
        return;
    if (SessionSummary* session = sessionNumbered(*awaiting))
        for (SessionRatingChange& change : session->ratingChanges)
            if (change.playlist == playlist)
                change.last = *after;
}

void HistoryBuilder::countSession(const MatchRecord& match, std::uint32_t playlist,
                                  const PlaylistRating::Step& step) {
    if (haveSession_ && match.time - previousTime_ > kSessionGapSeconds)
        closeSession();
    if (!haveSession_) {
        haveSession_ = true;
        session_ = SessionSummary{};
        session_.start = session_.end = match.time;
        session_.number = ++summary_.sessionCount;
    }
    previousTime_ = match.time;
    session_.end = match.time;
    session_.count(match.win);
    session_.pointsSum += match.points;
    // A playlist's change: the rating after its last match of the session minus the one before its
    // first; a playlist whose matches of the session tell no rating of their own has none.
    auto change = std::find_if(session_.ratingChanges.begin(), session_.ratingChanges.end(),
                               [&](const SessionRatingChange& c) { return c.playlist == playlist; });
    if (change == session_.ratingChanges.end()) {
        if (match.rating <= 0 && !step.after)
            return;
        const std::int32_t before = step.before ? *step.before : *step.after;
        change = session_.ratingChanges.insert(session_.ratingChanges.end(),
                                               SessionRatingChange{playlist, before, before});
    }
    // Until the playlist's next match tells the rating after this one, the newest known stands.
    PlaylistState& state = playlists_[playlist];
    change->last = state.rating.latest().value_or(change->last);
    if (state.rating.afterUnknown())
        state.sessionAwaitingRating = session_.number;
}

void HistoryBuilder::closeSession() {
    finishedSessions_.push_back(std::move(session_));
    // Trimmed in batches, so that keeping the newest costs little per session.
    if (finishedSessions_.size() >= 2 * kKeptSessions)
        finishedSessions_.erase(finishedSessions_.begin(),
                                finishedSessions_.end() - static_cast<std::ptrdiff_t>(kKeptSessions));
    haveSession_ = false;
}

FormSums HistoryBuilder::formAfter(const MatchRecord& match) {
    std::array<std::int32_t, kFormStatistics> values{};
    for (std::size_t which = 0; which < kFormStatistics; ++which)
        values[which] = match.*kAveragedMembers[which];
    std::array<std::int32_t, kFormStatistics>& slot = formWindow_[formNext_];
    formNext_ = formNext_ + 1 == kFormWindow ? 0 : formNext_ + 1;
    // Worked on a copy and stored whole: reading the sums back right after storing them one by one
    // stalls the processor on every match.
    FormSums sums = formSums_;
    for (std::size_t which = 0; which < kFormStatistics; ++which)
        sums.sums[which] += std::int64_t{values[which]} - slot[which]; // a slot not yet filled holds zeros
    slot = values;
    sums.count = std::min<std::uint32_t>(sums.count + 1, kFormWindow);
    formSums_ = sums;
    return sums;
}

void HistoryBuilder::skipped(std::uint64_t line, const std::string& reason) {
    ++summary_.skippedCount;
    if (summary_.skipped.size() < kListedSkippedLines)
        summary_.skipped.push_back(SkippedLine{line, visibleText(reason)});
}

HistorySummary HistoryBuilder::finish() {
    if (haveSession_)
        closeSession();
    settleRatingChanges();
    const std::vector<std::uint32_t> newIndex = movePlaylistsByPlay();
    moveKeptSessions(newIndex);
    series_.finish(summary_, newIndex);
    return std::move(summary_);
}

void HistoryBuilder::settleRatingChanges() {
    for (PlaylistState& state : playlists_) {
        PlaylistSummary& playlist = state.summary;
        if (!playlist.currentRating)
            continue;
        const std::int32_t current = *playlist.currentRating;
        for (std::size_t period = 0; period < kPeriodDays.size(); ++period) {
            const ChangeWindow& from = state.windows[period];
            playlist.periods[period].ratingChange =
                from.entered && from.atStart ? current - *from.atStart : 0;
        }
    }
}

std::vector<std::uint32_t> HistoryBuilder::movePlaylistsByPlay() {
    // Most played first; equal counts by name, so the order never depends on the file's order.
    std::vector<std::uint32_t> order(playlists_.size());
    std::iota(order.begin(), order.end(), 0U);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        const PlaylistSummary& left = playlists_[a].summary;
        const PlaylistSummary& right = playlists_[b].summary;
        return left.matches != right.matches ? left.matches > right.matches : left.name < right.name;
    });
    std::vector<std::uint32_t> newIndex(playlists_.size());
    for (std::uint32_t position = 0; position < order.size(); ++position) {
        newIndex[order[position]] = position;
        summary_.playlists.push_back(std::move(playlists_[order[position]].summary));
    }
    return newIndex;
}

void HistoryBuilder::moveKeptSessions(const std::vector<std::uint32_t>& newIndex) {
    const std::size_t kept = std::min(finishedSessions_.size(), kKeptSessions);
    for (std::size_t back = 0; back < kept; ++back) {
        SessionSummary session = std::move(finishedSessions_[finishedSessions_.size() - 1 - back]);
        for (SessionRatingChange& change : session.ratingChanges)
            change.playlist = newIndex[change.playlist];
        summary_.sessions.push_back(std::move(session));
    }
}

HistorySummary summarizeStatsFile(const std::filesystem::path& file, std::int64_t now) {
    {
        HistoryBuilder streamed(now);
        readStatsRows(file, streamed, now, [&] { return streamed.inTimeOrder(); });
        if (streamed.inTimeOrder())
            return streamed.finish();
    }
    HistoryBuilder sorted(now);
    HeldRows held(sorted);
    std::error_code unknownSize;
    const std::uintmax_t bytes = std::filesystem::file_size(file, unknownSize);
    if (!unknownSize)
        held.reserveFor(bytes);
    readStatsRows(file, held, now);
    held.handOnInTimeOrder();
    HistorySummary summary = sorted.finish();
    summary.fileOrder = held.fileOrder();
    return summary;
}
