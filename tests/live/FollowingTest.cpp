// Following a stats file as it changes under the live view: appended to (whole lines and half ones),
// truncated, replaced by a reordered copy, rewritten in place, deleted and created again, a file that is
// no stats file until it is fixed, and one that is no text until it is saved as text again.
#include "live/StatsFollower.h"
#include "tests/support/HostsimRun.h"
#include "tests/support/StatsFileText.h"
#include "toolkit/SessionRules.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

constexpr std::int64_t kStart = 1796000000;
constexpr std::int64_t kNow = kStart + 2000;

StatsRow row(int at, bool win = true) {
    StatsRow made;
    made.time = kStart + at * 300;
    made.win = win;
    made.mmr = 1000 + at;
    return made;
}

void append(const std::filesystem::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary | std::ios::app);
    out << text;
}

class Following : public ::testing::Test {
protected:
    SessionView look() {
        follower_.poll(kNow);
        return follower_.session(kNow);
    }

    TempFolder folder_;
    std::filesystem::path file_ = folder_ / "stats.csv";
    StatsFollower follower_{file_, kSessionGapSeconds};
};

TEST_F(Following, OnlyTheAppendedBytesAreReadAndAHalfWrittenLineWaitsForItsEnd) {
    writeFile(file_, statsFileText({row(0), row(1, false)}));
    EXPECT_EQ(look().matches, 2U);
    append(file_, statsRowLine(row(2)) + "\n");
    SessionView view = look();
    EXPECT_EQ(view.matches, 3U);
    EXPECT_EQ(view.streak, 1);
    EXPECT_EQ(follower_.readings(), 1U);

    // Half a line: not counted while it may still be being written.
    const std::string line = statsRowLine(row(3));
    append(file_, line.substr(0, 20));
    EXPECT_EQ(look().matches, 3U);
    append(file_, line.substr(20) + "\n");
    view = look();
    EXPECT_EQ(view.matches, 4U);
    EXPECT_EQ(view.streak, 2);
    EXPECT_EQ(follower_.readings(), 1U);
    EXPECT_EQ(view.skippedLines, 0U);
}

TEST_F(Following, ALastLineLeftWithoutItsEndCountsAfterALookAndAgainCorrectlyIfItIsContinued) {
    writeFile(file_, statsFileText({row(4)}) + statsRowLine(row(5, false)));
    EXPECT_EQ(look().matches, 1U);
    // Unchanged for a whole look: it counts as it stands.
    SessionView view = look();
    EXPECT_EQ(view.matches, 2U);
    EXPECT_EQ(view.losses, 1U);
    // Its line end arrives: nothing changes, nothing is read again.
    append(file_, "\r\n" + statsRowLine(row(6)) + "\r\n");
    view = look();
    EXPECT_EQ(view.matches, 3U);
    EXPECT_EQ(follower_.readings(), 1U);

    // The same, but the line goes on: what was counted was not the line, so the file is read again.
    writeFile(file_, statsFileText({row(4)}) + "1,0,2,1001,0,3,1,Ranked Doubles,300,1,1,3," +
                         std::to_string(row(5).time));
    look();
    look();
    append(file_, ",18:45:38 12/03/26,0\n");
    view = look();
    EXPECT_EQ(view.matches, 2U);
    EXPECT_EQ(view.losses, 1U);
    EXPECT_EQ(view.skippedLines, 0U);
}

TEST_F(Following, AFileReplacedTruncatedOrRewrittenIsReadAgainFromTheStart) {
    std::vector<StatsRow> rows{row(0), row(1), row(2, false), row(3)};
    writeFile(file_, statsFileText(rows));
    EXPECT_EQ(look().matches, 4U);

    // Replaced by a copy whose columns and rows a spreadsheet reordered (a new file renamed over it).
    std::vector<StatsColumn> reordered;
    for (auto at = kStatsColumns.rbegin(); at != kStatsColumns.rend(); ++at)
        reordered.push_back(at->column);
    std::vector<StatsRow> sorted{row(3), row(2, false), row(1), row(0), row(4, false)};
    writeFile(folder_ / "copy.csv", statsFileText(sorted, reordered, "\r\n"));
    std::filesystem::rename(folder_ / "copy.csv", file_);
    SessionView view = look();
    EXPECT_EQ(view.matches, 5U);
    EXPECT_EQ(view.streak, -1);
    EXPECT_EQ(view.matchList.front().record.time, row(4).time);
    EXPECT_EQ(follower_.readings(), 2U);

    // Truncated to its header and one match.
    writeFile(file_, statsFileText({row(5, false)}));
    view = look();
    EXPECT_EQ(view.matches, 1U);
    EXPECT_EQ(view.losses, 1U);

    // Rewritten in place with as many bytes: a win changed into a loss.
    std::string text = statsFileText({row(0, true), row(1, true)});
    writeFile(file_, text);
    EXPECT_EQ(look().wins, 2U);
    // The last row's Win, the field before its rating after.
    text[text.rfind(",1,") + 1] = '0';
    {
        std::fstream same(file_, std::ios::binary | std::ios::in | std::ios::out);
        same.seekp(0);
        same << text;
    }
    std::filesystem::last_write_time(file_,
                                     std::filesystem::last_write_time(file_) + std::chrono::seconds(5));
    view = look();
    EXPECT_EQ(view.wins, 1U);
    EXPECT_EQ(view.losses, 1U);

    // Rewritten with more bytes, the start unchanged but a line before the end changed.
    writeFile(file_, statsFileText({row(0, true), row(1, false), row(2, false)}));
    view = look();
    EXPECT_EQ(view.wins, 1U);
    EXPECT_EQ(view.losses, 2U);
}

TEST_F(Following, AMissingFileIsWaitedForAndTheLastSessionStaysUntilItIsBack) {
    EXPECT_EQ(look().matches, 0U);
    EXPECT_EQ(follower_.status().state, FollowState::Missing);
    writeFile(file_, statsFileText({row(0), row(1)}));
    EXPECT_EQ(look().matches, 2U);
    EXPECT_EQ(follower_.status().state, FollowState::Reading);

    std::filesystem::remove(file_);
    EXPECT_EQ(look().matches, 2U);
    EXPECT_EQ(follower_.status().state, FollowState::Missing);

    writeFile(file_, statsFileText({row(5, false)}));
    const SessionView view = look();
    EXPECT_EQ(view.matches, 1U);
    EXPECT_EQ(view.losses, 1U);
}

TEST_F(Following, AFileThatIsNoStatsFileIsReadAgainOnceItChanges) {
    writeFile(file_, "");
    look();
    EXPECT_EQ(follower_.status().state, FollowState::Empty);
    writeFile(file_, "just some notes\nmore notes\n");
    EXPECT_EQ(look().matches, 0U);
    EXPECT_EQ(follower_.status().state, FollowState::NotStatsFile);
    EXPECT_NE(follower_.status().detail.find("not a stats-file header"), std::string::npos)
        << follower_.status().detail;
    look();
    EXPECT_EQ(follower_.status().state, FollowState::NotStatsFile);
    writeFile(file_, statsFileText({row(0), row(1)}));
    EXPECT_EQ(look().matches, 2U);
    EXPECT_EQ(follower_.status().state, FollowState::Reading);

    std::filesystem::remove(file_);
    std::filesystem::create_directory(file_);
    look();
    EXPECT_EQ(follower_.status().state, FollowState::NotStatsFile);
}

// ASCII text as UTF-16 LE, as a spreadsheet's "Unicode text" holds it after its byte-order mark.
std::string utf16(const std::string& ascii) {
    std::string bytes;
    for (const char c : ascii)
        bytes += std::string{c, '\0'};
    return bytes;
}

TEST_F(Following, AWorkbookSavedOverTheFileIsNamedUntilItIsTextAgainInAnyForm) {
    writeFile(file_, std::string("PK\x03\x04\x14\x00\x06\x00\n\x00", 10));
    EXPECT_EQ(look().matches, 0U);
    EXPECT_EQ(follower_.status().state, FollowState::NotStatsFile);
    EXPECT_NE(follower_.status().detail.find("is not a text file; it looks like a workbook"),
              std::string::npos)
        << follower_.status().detail;

    // Saved again as Unicode text: UTF-16 with tabs and CR LF.
    std::string text = statsFileText({row(0), row(1, false)}, {}, "\r\n");
    for (char& c : text)
        c = c == ',' ? '\t' : c;
    writeFile(file_, "\xFF\xFE" + utf16(text));
    EXPECT_EQ(look().matches, 2U);
    EXPECT_EQ(follower_.status().state, FollowState::Reading);

    // A row appended in the file's form, seen at a look that ends in the half of a character.
    std::string line = statsRowLine(row(2));
    for (char& c : line)
        c = c == ',' ? '\t' : c;
    const std::string appended = utf16(line + "\r\n");
    append(file_, appended.substr(0, 41));
    EXPECT_EQ(look().matches, 2U);
    append(file_, appended.substr(41));
    const SessionView view = look();
    EXPECT_EQ(view.matches, 3U);
    EXPECT_EQ(view.wins, 2U);
}

TEST_F(Following, ASessionLongerThanADayIsCountedWhole) {
    // Matches twenty minutes apart for thirty hours: one session, longer than what is held at first.
    std::vector<StatsRow> rows;
    for (int at = 0; at < 90; ++at) {
        StatsRow made = row(0, at % 3 != 0);
        made.time = kStart + at * 1200;
        rows.push_back(made);
    }
    writeFile(file_, statsFileText(rows));
    const std::int64_t now = rows.back().time + 60;
    follower_.poll(now);
    const SessionView view = follower_.session(now);
    EXPECT_EQ(view.matches, 90U);
    EXPECT_EQ(view.start, kStart);
    EXPECT_EQ(view.streak, 2);
    EXPECT_EQ(follower_.readings(), 1U) << "a file in time order is read once";

    // A row out of time order within it, read after what was held when it came: read once more, holding
    // every match, and counted whole.
    const StatsRow moved = rows[10];
    rows.erase(rows.begin() + 10);
    rows.push_back(moved);
    rows.push_back(row(0, false));
    rows.back().time = rows[rows.size() - 3].time + 60;
    writeFile(file_, statsFileText(rows));
    follower_.poll(now + 60);
    const SessionView again = follower_.session(now + 60);
    EXPECT_EQ(again.matches, 91U);
    EXPECT_EQ(again.start, kStart);
    EXPECT_EQ(again.streak, -1);
    EXPECT_EQ(follower_.readings(), 3U) << "read again once as it was rewritten, and once holding more";
}

TEST_F(Following, WhileTheFileIsUnchangedTheSessionIsNotWorkedOutAgain) {
    writeFile(file_, statsFileText({row(0), row(1, false)}));
    follower_.poll(kNow);
    const SessionView first = follower_.session(kNow);
    const std::uint64_t workedOut = follower_.sessionsWorkedOut();
    for (int look = 1; look <= 5; ++look) {
        follower_.poll(kNow + look);
        EXPECT_EQ(follower_.session(kNow + look), first);
    }
    EXPECT_EQ(follower_.sessionsWorkedOut(), workedOut);
    // The session ends by time alone: worked out once more, then not again.
    const std::int64_t over = row(1).time + kSessionGapSeconds + 1;
    follower_.poll(over);
    EXPECT_EQ(follower_.session(over).matches, 0U);
    follower_.poll(over + 1);
    follower_.session(over + 1);
    EXPECT_EQ(follower_.sessionsWorkedOut(), workedOut + 1);
    // A new match is.
    append(file_, statsRowLine(row(2)) + "\n");
    follower_.poll(over + 2);
    EXPECT_EQ(follower_.session(over + 2).matches, 3U) << "the session goes on";
    EXPECT_EQ(follower_.sessionsWorkedOut(), workedOut + 2);
}

} // namespace
