#include "live/StatsFollower.h"

#include "statsfile/PlausibleTime.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace {

constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;

bool changedSince(const FileFacts& now, const FileFacts& before) {
    return !now.sameFileAs(before) || now.size != before.size || now.modified != before.modified;
}

} // namespace

StatsFollower::StatsFollower(std::filesystem::path file, std::int64_t gapSeconds,
                             std::optional<std::int64_t> notBefore)
    : file_(std::move(file))
    , gapSeconds_(gapSeconds)
    , horizonSeconds_(std::max(kSecondsPerDay, 4 * gapSeconds))
    , notBefore_(notBefore) {
    startOver();
}

void StatsFollower::startOver() {
    feeder_.reset();
    reader_.reset();
    tracker_ = std::make_unique<SessionTracker>(gapSeconds_, horizonSeconds_, notBefore_);
    session_.reset();
    // Made once for the whole following; each reading moves its now on (setNow), so the latest time it
    // believes is always a day after the moment of that reading.
    reader_ = std::make_unique<RowReader>(*tracker_, kLatestShowableTime);
    feeder_ = std::make_unique<LineFeeder>(*reader_);
    readTo_ = 0;
    head_.clear();
    tail_.clear();
    refused_ = false;
}

void StatsFollower::poll(std::int64_t now, bool toTheEnd) {
    OpenedFile file(file_);
    const FileFacts& facts = file.facts();
    switch (facts.kind) {
    case FileKind::Missing:
        status_ = {FollowState::Missing, "no such file"};
        return;
    case FileKind::Unreadable:
        status_ = {FollowState::Unreadable, "cannot be opened: " + facts.problem};
        return;
    case FileKind::Folder:
        status_ = {FollowState::NotStatsFile, "is a folder, not a stats file"};
        return;
    case FileKind::Other:
        status_ = {FollowState::NotStatsFile, "is not a regular file (a device or a pipe?)"};
        return;
    case FileKind::Regular:
        break;
    }
    const bool changed = !known_ || changedSince(facts, *known_);
    if (known_ &&
        (!facts.sameFileAs(*known_) || facts.size < readTo_ ||
         (facts.size == known_->size && facts.modified != known_->modified) || (refused_ && changed)))
        startOver();
    else if (facts.size > readTo_ && !sameBytesAsRead(file))
        startOver();
    known_ = facts;
    if (refused_)
        return;
    reader_->setNow(now);
    try {
        Reading reading = readOn(file, facts.size);
        if (reading == Reading::StartOver) {
            startOver();
            reader_->setNow(now);
            reading = readOn(file, facts.size);
        }
        if (reading != Reading::Done) {
            status_ = {FollowState::Unreadable, "could not be read to its end"};
            return;
        }
        // A last line without a line end: the plugin writes whole lines, so one left so for a whole look
        // was written so (by hand, by another program) and counts as it stands.
        if (feeder_->hasUnfinished() && (toTheEnd || !changed))
            feeder_->unfinishedAsLine();
        if (toTheEnd)
            reader_->finish();
    } catch (const StatsFileError& error) {
        status_ = {FollowState::NotStatsFile, error.what()};
        refused_ = true;
        return;
    }
    status_ = facts.size == 0 ? FollowStatus{FollowState::Empty, "is empty: no header line yet"}
                              : FollowStatus{FollowState::Reading, ""};
}

StatsFollower::Reading StatsFollower::readOn(OpenedFile& file, std::uint64_t size) {
    if (readTo_ >= size)
        return Reading::Done;
    if (readTo_ == 0)
        ++readings_;
    auto block = std::make_unique_for_overwrite<char[]>(kBlockBytes);
    while (readTo_ < size) {
        const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(kBlockBytes, size - readTo_));
        const std::optional<std::size_t> got = file.readAt(readTo_, block.get(), wanted);
        if (!got)
            return Reading::Failed;
        if (*got == 0)
            break; // shorter than it said: the next look sees its new size
        const std::string_view bytes(block.get(), *got);
        if (!feeder_->feed(bytes))
            return Reading::StartOver;
        remember(bytes);
        readTo_ += *got;
    }
    return Reading::Done;
}

void StatsFollower::remember(std::string_view bytes) {
    if (head_.size() < kComparedBytes)
        head_.append(bytes.substr(0, kComparedBytes - head_.size()));
    if (bytes.size() >= kComparedBytes) {
        tail_.assign(bytes.substr(bytes.size() - kComparedBytes));
    } else {
        tail_.append(bytes);
        if (tail_.size() > kComparedBytes)
            tail_.erase(0, tail_.size() - kComparedBytes);
    }
}

bool StatsFollower::sameBytesAsRead(OpenedFile& file) {
    std::string bytes(std::max(head_.size(), tail_.size()), '\0');
    const std::optional<std::size_t> head = file.readAt(0, bytes.data(), head_.size());
    if (!head || std::string_view(bytes.data(), *head) != head_)
        return false;
    const std::optional<std::size_t> tail = file.readAt(readTo_ - tail_.size(), bytes.data(), tail_.size());
    return tail && std::string_view(bytes.data(), *tail) == tail_;
}

const SessionView& StatsFollower::session(std::int64_t now) {
    if (session_ && fed() == sessionFed_ && tracker_->overAt(now) == sessionOver_)
        return *session_;
    std::optional<SessionView> view = tracker_->session(now);
    if (!view) {
        // The session reaches back past what was held (rows out of time order in it): read the file
        // again, holding every match.
        horizonSeconds_ = kLatestShowableTime;
        known_.reset();
        startOver();
        poll(now);
        view = tracker_->session(now);
    }
    session_ = view ? std::move(*view) : SessionView{};
    sessionFed_ = fed();
    sessionOver_ = tracker_->overAt(now);
    ++sessionsWorkedOut_;
    return *session_;
}
