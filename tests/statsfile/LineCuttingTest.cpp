// Cutting a stats file's bytes into lines: each line end a spreadsheet saves, UTF-16, and the corners
// where a block ends inside a line end, a character or the first bytes.
#include "statsfile/LineCutting.h"
#include "statsfile/StatsFileError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

struct CollectedLines {
    Lines lines;
    void line(std::string_view text) { lines.emplace_back(text); }
    void tooLong() { lines.emplace_back("<too long>"); }
};

// The lines of `bytes` fed in pieces cut at `cuts`, then ended.
Lines linesOf(const std::string& bytes, const std::vector<std::size_t>& cuts = {},
              std::optional<LineEnd>* lineEnd = nullptr) {
    CollectedLines collected;
    BasicLineFeeder<CollectedLines> feeder(collected);
    std::size_t from = 0;
    for (const std::size_t cut : cuts) {
        EXPECT_TRUE(feeder.feed(std::string_view(bytes).substr(from, cut - from)));
        from = cut;
    }
    EXPECT_TRUE(feeder.feed(std::string_view(bytes).substr(from)));
    feeder.unfinishedAsLine();
    if (lineEnd)
        *lineEnd = feeder.lineEnd();
    return collected.lines;
}

// A byte-order mark at the text's start is encoded into the encoding's own.
std::string utf16le(const std::string& utf8) {
    std::string bytes;
    appendEncoded(utf8, TextEncoding::utf16le, bytes);
    return bytes;
}

std::string utf16be(const std::string& utf8) {
    std::string bytes;
    appendEncoded(utf8, TextEncoding::utf16be, bytes);
    return bytes;
}

const std::string kMark = "\xEF\xBB\xBF";

} // namespace

TEST(LineFeeder, TheFirstLineEndTellsHowLinesEnd) {
    const struct {
        std::string bytes;
        LineEnd lineEnd;
        Lines lines;
    } cases[] = {
        {"h\na\r\nb\n", LineEnd::lf, {"h", "a", "b"}},
        {"h\r\na\nb\r\n", LineEnd::crlf, {"h", "a", "b"}},
        {"h\r\r\na\r\r\n", LineEnd::crlf, {"h", "a"}}, // CR LF written through a text-mode stream again
        {"h\ra\r\rb\r", LineEnd::cr, {"h", "a", "", "b"}},
        {"h\ra\rb", LineEnd::cr, {"h", "a", "b"}},
        // Below the old Macintosh save's lines, rows a program appended with LF or CR LF.
        {"h\ra\r\nb\nc\r\n", LineEnd::cr, {"h", "a", "b", "c"}},
        {"h\r", LineEnd::cr, {"h"}},
        // A carriage return inside a line of an LF file stays; the ones before its line feed go.
        {"h\na\rb\n", LineEnd::lf, {"h", "a\rb"}},
    };
    for (const auto& test : cases) {
        std::optional<LineEnd> lineEnd;
        EXPECT_EQ(linesOf(test.bytes, {}, &lineEnd), test.lines) << test.bytes;
        EXPECT_EQ(lineEnd, test.lineEnd) << test.bytes;
    }
    std::optional<LineEnd> none;
    EXPECT_EQ(linesOf("no line end", {}, &none), Lines{"no line end"});
    EXPECT_EQ(none, std::nullopt);
}

TEST(LineFeeder, EveryCutGivesTheLinesOfTheWholeBytes) {
    // A carriage return at a block's end, the two bytes of a UTF-16 character or of its CR LF in two
    // blocks, the first bytes split before they tell the encoding.
    const std::string text = "Win\tPlaylist\r\n1\tH\xC3\xA9 \xF0\x9F\x98\x80\r\n0\tDuel\r\n";
    const std::string crText = "Win,Playlist\r1,Hoops\r0,Duel\r\n1,Late\n";
    for (const std::string& bytes : {text, kMark + text, crText, utf16le(kMark + text), utf16be(kMark + text),
                                     utf16le(kMark + crText)}) {
        const Lines whole = linesOf(bytes);
        ASSERT_GE(whole.size(), 3u);
        for (std::size_t first = 0; first <= bytes.size(); ++first)
            for (std::size_t second = first; second <= bytes.size(); ++second)
                ASSERT_EQ(linesOf(bytes, {first, second}), whole) << first << " " << second;
    }
}

TEST(LineFeeder, AUtf16FileReadsAsItsUtf8Text) {
    const std::string text = kMark + "Playlist,Win\r\nHoops \xE2\x82\xAC,1\r\n";
    const Lines expected{kMark + "Playlist,Win", "Hoops \xE2\x82\xAC,1"};
    EXPECT_EQ(linesOf(utf16le(text)), expected);
    EXPECT_EQ(linesOf(utf16be(text)), expected);
    // The file ends in the half of a character: it reads as a replacement character.
    std::string cut = utf16le(kMark + "Playlist\r\nHoops");
    cut.pop_back();
    EXPECT_EQ(linesOf(cut), (Lines{kMark + "Playlist", "Hoop\xEF\xBF\xBD"}));
}

TEST(LineFeeder, AFileThatIsNoTextIsRefusedWithWhatItIs) {
    CollectedLines collected;
    BasicLineFeeder<CollectedLines> feeder(collected);
    // Its first bytes one at a time: nothing is refused before they tell.
    EXPECT_TRUE(feeder.feed("P"));
    EXPECT_TRUE(feeder.feed("K"));
    EXPECT_TRUE(feeder.feed("\x03"));
    try {
        feeder.feed("\x04\x14\x00"s);
        ADD_FAILURE() << "a zip archive's bytes read as text";
    } catch (const StatsFileError& error) {
        EXPECT_NE(std::string(error.what()).find("workbook"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(collected.lines.empty());

    // UTF-16 without a byte-order mark: refused once a zero byte shows in the first line.
    CollectedLines utf16;
    BasicLineFeeder<CollectedLines> unmarked(utf16);
    EXPECT_TRUE(unmarked.feed("A"));
    EXPECT_THROW(unmarked.feed("\0s\0"s), StatsFileError);

    // Too few bytes to tell wait; at the end they are judged as they are.
    CollectedLines few;
    BasicLineFeeder<CollectedLines> waiting(few);
    EXPECT_TRUE(waiting.feed("As"));
    EXPECT_TRUE(waiting.hasUnfinished()) << "the first bytes wait for more";
    EXPECT_TRUE(few.lines.empty());
    waiting.unfinishedAsLine();
    EXPECT_EQ(few.lines, Lines{"As"});
}

TEST(LineFeeder, ALineHandedOnUnfinishedMayOnlyBeFollowedByItsLineEnd) {
    for (const bool carriageReturns : {false, true}) {
        const std::string end = carriageReturns ? "\r" : "\n";
        CollectedLines collected;
        BasicLineFeeder<CollectedLines> feeder(collected);
        EXPECT_TRUE(feeder.feed("h" + end + "a"));
        EXPECT_TRUE(feeder.hasUnfinished());
        feeder.unfinishedAsLine();
        EXPECT_EQ(collected.lines, (Lines{"h", "a"}));
        EXPECT_TRUE(feeder.feed(end + "b" + end));
        EXPECT_EQ(collected.lines, (Lines{"h", "a", "b"}));
        EXPECT_TRUE(feeder.feed("c"));
        feeder.unfinishedAsLine();
        EXPECT_FALSE(feeder.feed("d" + end)) << "the line went on after it was handed on";
    }
}

TEST(LineFeeder, AFirstLineFarTooLongIsNeverHeldWhole) {
    CollectedLines collected;
    BasicLineFeeder<CollectedLines> feeder(collected);
    const std::string block(16 * 1024, 'x');
    for (int blocks = 0; blocks < 8; ++blocks)
        EXPECT_TRUE(feeder.feed(block));
    EXPECT_EQ(feeder.lineEnd(), LineEnd::lf) << "no line end told in time: cut at LF";
    EXPECT_TRUE(feeder.feed("\rmore\nrow\r\n"));
    feeder.unfinishedAsLine();
    EXPECT_EQ(collected.lines, (Lines{"<too long>", "row"}));
}
