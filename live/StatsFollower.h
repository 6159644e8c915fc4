// Follows a stats file while the plugin appends to it: reads it once, then at each look only the bytes
// appended since. A file replaced (another file in its place), truncated or rewritten (the bytes already
// read changed, or its time changed while its size did not) is read again from the start.
#pragma once

#include "live/OpenedFile.h"
#include "live/SessionTracker.h"
#include "statsfile/LineFeeder.h"
#include "statsfile/RowReader.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

enum class FollowState {
    Reading,      // read as far as it goes
    Missing,      // not there (yet): the plugin creates it with the first match
    Empty,        // there, but without a header yet
    Unreadable,   // there, but cannot be read now
    NotStatsFile, // a folder, a device, or a file whose first line is no stats-file header
};

struct FollowStatus {
    FollowState state = FollowState::Missing;
    std::string detail; // the reason, in a few words

    bool operator==(const FollowStatus&) const = default;
};

class StatsFollower {
public:
    // The session counts only matches at or after `notBefore`, when given.
    StatsFollower(std::filesystem::path file, std::int64_t gapSeconds,
                  std::optional<std::int64_t> notBefore = std::nullopt);

    // Looks at the file and reads what is new. `toTheEnd`: this reading is the last one, so a last line
    // without a line end counts at once (else it counts once the file has stayed as it is for one look),
    // and a file without a single line is no stats file.
    void poll(std::int64_t now, bool toTheEnd = false);

    const FollowStatus& status() const { return status_; }

    // The current session at `now`. While nothing new was read and the session has not ended by time
    // alone, the session worked out last is given again as it is. When it reaches back past what is
    // held, the file is read again first, holding every match.
    const SessionView& session(std::int64_t now);
    // How many times the session was worked out anew: a change means session() gave another view.
    std::uint64_t sessionsWorkedOut() const { return sessionsWorkedOut_; }

    std::vector<RefusedLine> takeRecentSkips() { return tracker_->takeRecentSkips(); }
    // How many times the file was read from its start.
    std::uint64_t readings() const { return readings_; }

    // Bytes compared at each look, at the start of the file and before the end of what was read.
    static constexpr std::size_t kComparedBytes = 4096;
    static constexpr std::size_t kBlockBytes = 128 * 1024;

private:
    void startOver();
    // What the reading fed since the session was last worked out: matches, skipped lines, readings.
    std::uint64_t fed() const { return tracker_->matchesRead() + tracker_->skippedCount() + readings_; }
    bool sameBytesAsRead(OpenedFile& file);
    enum class Reading { Done, StartOver, Failed };
    // Reads from where the reading stands to `size`: done, or the bytes did not continue what was read
    // before, or the file could not be read (tried again at the next look).
    Reading readOn(OpenedFile& file, std::uint64_t size);
    void remember(std::string_view bytes);

    std::filesystem::path file_;
    std::int64_t gapSeconds_;
    std::int64_t horizonSeconds_;
    std::optional<std::int64_t> notBefore_;
    FollowStatus status_;
    std::unique_ptr<SessionTracker> tracker_;
    std::unique_ptr<RowReader> reader_;
    std::unique_ptr<LineFeeder> feeder_;
    std::optional<FileFacts> known_; // the file as the last look found it
    std::uint64_t readTo_ = 0;
    std::string head_;     // the first bytes read
    std::string tail_;     // the last bytes read
    bool refused_ = false; // no stats file: read again only once it changes
    std::uint64_t readings_ = 0;
    // The session last worked out, and what it was worked out from.
    std::optional<SessionView> session_;
    std::uint64_t sessionFed_ = 0;
    bool sessionOver_ = false;
    std::uint64_t sessionsWorkedOut_ = 0;
};
