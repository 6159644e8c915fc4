// The live view at work: follows the stats file, works out the session, keeps the files of the output
// folder up to date and says on the console what happens (once for each problem, not every second).
#pragma once

#include "live/LiveOptions.h"
#include "live/LiveProgram.h"
#include "live/OutputFolder.h"
#include "live/StatsFollower.h"
#include "toolkit/RatingBands.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Every file the view writes in its folder.
std::vector<std::string> liveViewFileNames();

class LiveView {
public:
    LiveView(const LiveOptions& options, LiveSurroundings& surroundings);

    // Reads the bands file of --bands, if any, before anything is written; false, with the message
    // ("FILE:LINE: what is wrong"), when it cannot be used.
    bool readBands();
    // --once: reads the whole file; false, with the message, when it cannot be read as a stats file.
    bool readWhole();
    // --once: writes every file; 0, or 1 when one could not be written.
    int writeOnce();
    // Follows the file until asked to stop; 0.
    int follow();

private:
    std::int64_t now() const;
    std::optional<std::int64_t> notBefore() const;
    // Given a data folder: the file to follow now, taken when it is another than the one followed.
    void chooseFile();
    void followFile(const std::filesystem::path& file);
    const FollowStatus& status() const;
    // One look at the file, and the files brought up to date.
    void look();
    void render(const SessionView& session);
    void tellStatus();
    // `wholeReading`: the file was read from its start; `count`: the lines skipped in all.
    void tellSkips(bool wholeReading, std::uint64_t count);
    void tellSession(const SessionView& session);
    void tellWhere();
    std::optional<std::string> statusSentence() const;

    const LiveOptions& options_;
    LiveSurroundings& surroundings_;
    std::int64_t clockOffset_ = 0;
    std::int64_t start_ = 0;
    std::filesystem::path followed_; // empty in a data folder without a stats file yet
    std::unique_ptr<StatsFollower> follower_;
    std::uint64_t followings_ = 0; // how many files were followed: a new one is shown anew
    OutputFolder outputs_;
    std::optional<FollowStatus> toldStatus_;
    std::optional<SessionView> shownSession_;
    std::optional<FollowStatus> shownStatus_;
    // What the view shown was worked out from: the following and the follower's count of sessions.
    std::optional<std::pair<std::uint64_t, std::uint64_t>> shownFrom_;
    std::uint64_t toldReadings_ = 0;
    RatingBands bands_;
};
