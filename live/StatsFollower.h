// Follows a stats file while the plugin appends to it: reads it once, then at each look only the bytes
// appended since. A file replaced (another file in its place), truncated or rewritten (the bytes already
// read changed, or its time changed while its size did not) is read again from the start.
#pragma once

#include "statsfile/LineFeeder.h"
#include "live/OpenedFile.h"
#include "live/SessionTracker.h"
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
    StatsFollower(std::filesystem::path file, std::int64_t gapSeconds);

    // Looks at the file and reads what is new. `toTheEnd`: this reading is the last one, so a last line
    // without a line end counts at once (else it counts once the file has stayed as it is for one look),
    // and a file without a single line is no stats file.
    void poll(std::int64_t now, bool toTheEnd = false);

    const FollowStatus& status() const { return status_; }

    // The current session at `now` (matches at or after `notBefore`, when given). When it reaches back
    // past what is held, the file is read again with a wider horizon first.
    SessionView session(std::int64_t now, std::optional<std::int64_t> notBefore);

    std::vector<RefusedLine> takeRecentSkips() { return tracker_->takeRecentSkips(); }
    // How many times the file was read from its start.
    std::uint64_t readings() const { return readings_; }

    // Bytes compared at each look, at the start of the file and before the end of what was read.
    static constexpr std::size_t kComparedBytes = 4096;
    static constexpr std::size_t kBlockBytes = 128 * 1024;

private:
    void startOver();
    bool sameBytesAsRead(OpenedFile& file);
    enum class Reading { Done, StartOver, Failed };
    // Reads from where the reading stands to `size`: done, or the bytes did not continue what was read
    // before, or the file could not be read (tried again at the next look).
    Reading readOn(OpenedFile& file, std::uint64_t size);
    void remember(std::string_view bytes);

    std::filesystem::path file_;
    std::int64_t gapSeconds_;
    std::int64_t horizonSeconds_;
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
};
