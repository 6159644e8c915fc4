// Cutting the bytes of a stats file into lines, however they arrive: block edges anywhere, CR LF, a
// line not ended yet, and lines too long to hold.
#include "statsfile/LineFeeder.h"
#include "tests/statsfile/RowEvents.h"
#include "tests/support/StatsFileText.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t kNow = 1796100000;

using Events = std::vector<std::string>;

StatsRow row(const std::string& playlist, std::int64_t time) {
    StatsRow made;
    made.playlist = playlist;
    made.time = time;
    return made;
}

// The events of feeding `pieces` one after another, then the unfinished line as the file's end.
Events fed(const std::vector<std::string>& pieces) {
    RowEvents sink;
    RowReader reader(sink, kNow);
    LineFeeder feeder(reader);
    for (const std::string& piece : pieces)
        EXPECT_TRUE(feeder.feed(piece));
    feeder.unfinishedAsLine();
    reader.finish();
    return sink.events;
}

const std::string kHeader = statsHeader();
const std::string kFirst = statsRowLine(row("Duel", 1796000000));
const std::string kSecond = statsRowLine(row("Rumble, \"Spring\"", 1796000100));
const Events kBoth{"match 2 Duel 1796000000 W 300", "match 3 Rumble, \"Spring\" 1796000100 W 300"};

TEST(LineFeeder, BlockEdgesAnywhereGiveTheSameLines) {
    for (const std::string lineEnd : {"\n", "\r\n"}) {
        const std::string text = kHeader + lineEnd + kFirst + lineEnd + kSecond + lineEnd;
        ASSERT_EQ(fed({text}), kBoth);
        for (std::size_t cut = 0; cut <= text.size(); ++cut)
            EXPECT_EQ(fed({text.substr(0, cut), text.substr(cut)}), kBoth) << "cut at " << cut;
        std::vector<std::string> bytes;
        for (const char byte : text)
            bytes.emplace_back(1, byte);
        EXPECT_EQ(fed(bytes), kBoth) << "one byte at a time";
    }
}

TEST(LineFeeder, TheLastLineNeedsNoLineEnd) {
    EXPECT_EQ(fed({kHeader + "\n" + kFirst + "\n" + kSecond}), kBoth);
    EXPECT_EQ(fed({kHeader + "\r\n" + kFirst + "\r\n" + kSecond + "\r"}), kBoth)
        << "a carriage return at the very end is a line end cut short";
}

TEST(LineFeeder, ACarriageReturnInsideALineIsPartOfIt) {
    // In a file whose lines end in LF or CR LF, only the ones before a line feed end a line: the one
    // inside the line here spoils its last field.
    const Events events = fed({kHeader + "\n" + kFirst + "\rx\n" + kSecond + "\n"});
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].rfind("skip 2 ", 0), 0u) << events[0];
    EXPECT_EQ(events[1], kBoth[1]);
}

TEST(LineFeeder, EveryCarriageReturnBeforeALineFeedIsPartOfTheLineEnd) {
    // CR CR LF: a CR LF text written once more through a text-mode stream.
    EXPECT_EQ(fed({kHeader + "\r\n" + kFirst + "\r\r\n" + kSecond + "\r\n"}), kBoth);
}

TEST(LineFeeder, ALineHeldUnfinishedIsHandedOnAndOnlyALineEndMayFollowIt) {
    for (const std::string lineEnd : {"\n", "\r\n"}) {
        RowEvents sink;
        RowReader reader(sink, kNow);
        LineFeeder feeder(reader);
        ASSERT_TRUE(feeder.feed(kHeader + lineEnd + kFirst));
        EXPECT_TRUE(feeder.hasUnfinished());
        EXPECT_EQ(sink.events, Events{}) << "held until it ends";
        feeder.unfinishedAsLine();
        EXPECT_FALSE(feeder.hasUnfinished());
        EXPECT_EQ(sink.events, Events{kBoth[0]});
        // The writer then ends the line it was writing: that continues what was read.
        EXPECT_TRUE(feeder.feed(lineEnd));
        EXPECT_TRUE(feeder.feed(kSecond + lineEnd));
        EXPECT_EQ(sink.events, kBoth);
    }
    {
        RowEvents sink;
        RowReader reader(sink, kNow);
        LineFeeder feeder(reader);
        ASSERT_TRUE(feeder.feed(kHeader + "\n" + kFirst + "\r"));
        feeder.unfinishedAsLine();
        EXPECT_EQ(sink.events, Events{kBoth[0]}) << "its carriage return is not part of it";
        EXPECT_TRUE(feeder.feed("\n")) << "the line feed after the carriage return ends it";
    }
    {
        RowEvents sink;
        RowReader reader(sink, kNow);
        LineFeeder feeder(reader);
        ASSERT_TRUE(feeder.feed(kHeader + "\n" + kFirst.substr(0, 10)));
        feeder.unfinishedAsLine();
        EXPECT_FALSE(feeder.feed(kFirst.substr(10) + "\n"))
            << "the line handed on was continued: the bytes do not continue what was read";
    }
}

TEST(LineFeeder, ALineTooLongIsSkippedWithoutBeingHeldAndTheNextOneReads) {
    const std::string huge(kLongestRowBytes + 2, 'x');
    const Events expected{"skip 2 line longer than 64 KiB", kBoth[1]};
    EXPECT_EQ(fed({kHeader + "\n" + huge + "\n" + kSecond + "\n"}), expected);
    // Arriving in pieces, each short, it is still too long.
    std::vector<std::string> pieces{kHeader + "\n"};
    for (std::size_t at = 0; at < huge.size(); at += 4096)
        pieces.push_back(huge.substr(at, 4096));
    pieces.push_back("\n" + kSecond + "\n");
    EXPECT_EQ(fed(pieces), expected);
}

TEST(LineFeeder, ALineOfTheLongestLengthHeldIsStillRead) {
    // A title that fills the line up to the longest a line may be, followed by CR LF.
    const std::string shortTitle = statsRowLine(row("T", 1796000000));
    const std::string title = std::string(kLongestRowBytes - shortTitle.size() + 1, 't');
    const std::string longest = statsRowLine(row(title, 1796000000));
    ASSERT_EQ(longest.size(), kLongestRowBytes);
    const Events events = fed({kHeader + "\r\n" + longest.substr(0, 100), longest.substr(100) + "\r\n"});
    EXPECT_EQ(events, Events{"match 2 " + title + " 1796000000 W 300"});
}

} // namespace
