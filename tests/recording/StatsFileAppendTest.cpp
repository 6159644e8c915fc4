// Appending one row: the header only for a new file, a line of its own for every row, and a file
// left exactly as it was when an attempt fails.
#include "recording/StatsFileAppend.h"
#include "recording/ExistingStatsFile.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/HostsimRun.h"
#include "tests/support/StatsFileText.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// A whole match row with these values, the other columns as in every test row.
MatchRow rowOf(const std::string& playlist, bool win) {
    StatsRow row;
    row.playlist = playlist;
    row.win = win;
    MatchRow values;
    for (const StatsColumnDescription& description : kStatsColumns)
        values[std::string(description.name)] = cellOf(row, description.column);
    return values;
}

const MatchRow kRow = rowOf("Duel", false);
const MatchRow kOtherRow = rowOf("Chaos", true);
// A row too long for the room the size-limit tests leave.
const MatchRow kLongRow = rowOf(std::string(200, 'x'), true);

std::string lineOf(const MatchRow& row) {
    return rowLine(columnValues(row), writtenLayout());
}
const std::string kHeader = writtenHeaderLine();

std::string lines(std::initializer_list<std::string> texts) {
    std::string text;
    for (const std::string& line : texts)
        text += line + lineEnd();
    return text;
}

// A scratch folder, the stream the rows go through and the file they go to.
class AppendMatchRow : public testing::Test {
protected:
    bool append(const MatchRow& row) { return appendMatchRow(stream, file, row).written; }

    TempFolder folder;
    std::ofstream stream;
    const fs::path file = folder / "stats.csv";
};

} // namespace

TEST_F(AppendMatchRow, ANewFileGetsTheHeaderThenTheRow) {
    ASSERT_TRUE(append(kRow));
    ASSERT_TRUE(append(kOtherRow));
    EXPECT_EQ(readFile(file), lines({kHeader, lineOf(kRow), lineOf(kOtherRow)}));
    EXPECT_FALSE(stream.is_open());
}

TEST_F(AppendMatchRow, AnEmptyFileGetsTheHeaderFirst) {
    writeFile(file, "");
    ASSERT_TRUE(append(kRow));
    ASSERT_TRUE(append(kOtherRow));
    EXPECT_EQ(readFile(file), lines({kHeader, lineOf(kRow), lineOf(kOtherRow)}));
}

TEST_F(AppendMatchRow, AnExistingFileKeepsItsContentAndGetsNoSecondHeader) {
    // A header that names no column is left as it is: rows are only ever appended, in the plugin's order.
    writeFile(file, "Old,Header\n");
    const AppendResult result = appendMatchRow(stream, file, kRow);
    ASSERT_TRUE(result.written);
    EXPECT_EQ(result.headerLacks, "names none of the columns");
    EXPECT_EQ(readFile(file), "Old,Header\n" + lineOf(kRow) + "\n") << "in the file's own line end";
}

TEST_F(AppendMatchRow, AnOpenLastLineIsEndedBeforeTheRowWithTheFilesOwnLineEnd) {
    for (const std::string lineEnd : {"\r\n", "\n", "\r"}) {
        const std::string before = kHeader + lineEnd + lineOf(kOtherRow);
        writeFile(file, before);
        ASSERT_TRUE(append(kRow));
        EXPECT_EQ(readFile(file), before + lineEnd + lineOf(kRow) + lineEnd);
    }
    // The CR of a CR LF end written without its LF is completed, not doubled.
    const std::string cutShort = kHeader + "\r\n" + lineOf(kOtherRow) + "\r";
    writeFile(file, cutShort);
    ASSERT_TRUE(append(kRow));
    EXPECT_EQ(readFile(file), cutShort + "\n" + lineOf(kRow) + "\r\n");
}

TEST_F(AppendMatchRow, AMissingFolderFailsAndCreatesNothing) {
    EXPECT_FALSE(appendMatchRow(stream, folder / "gone" / "stats.csv", kRow).written);
    EXPECT_TRUE(fs::is_empty(folder.path()));
    // The failure does not stick to the stream.
    ASSERT_TRUE(append(kRow));
    EXPECT_EQ(readFile(file), lines({kHeader, lineOf(kRow)}));
}

TEST_F(AppendMatchRow, AFolderInTheFilesPlaceFailsAndStaysAsItIs) {
    fs::create_directory(file);
    writeFile(file / "inside.txt", "kept");
    EXPECT_FALSE(append(kRow));
    EXPECT_EQ(readFile(file / "inside.txt"), "kept");
}

#if defined(__linux__)
TEST_F(AppendMatchRow, AWriteCutShortLeavesNoHalfLineBehind) {
    const std::string before = kHeader + "\n" + lineOf(kRow) + "\n";
    writeFile(file, before);
    {
        FileSizeLimit limit(before.size() + 20);
        EXPECT_FALSE(append(kLongRow));
        EXPECT_EQ(readFile(file), before);
    }
    ASSERT_TRUE(append(kLongRow));
    EXPECT_EQ(readFile(file), before + lineOf(kLongRow) + "\n");
}

TEST_F(AppendMatchRow, ANewFileWhoseRowDoesNotFitIsRemovedSoTheRetryWritesTheHeader) {
    {
        FileSizeLimit limit(kHeader.size() + 20); // room for the header, not for the row
        EXPECT_FALSE(append(kLongRow));
        EXPECT_FALSE(fs::exists(file));
    }
    ASSERT_TRUE(append(kLongRow));
    EXPECT_EQ(readFile(file), kHeader + "\n" + lineOf(kLongRow) + "\n");
}

TEST_F(AppendMatchRow, AnEmptyFileWhoseRowDoesNotFitIsLeftEmptySoTheRetryWritesTheHeader) {
    writeFile(file, "");
    {
        FileSizeLimit limit(kHeader.size() + 20);
        EXPECT_FALSE(append(kLongRow));
        ASSERT_TRUE(fs::is_regular_file(file)) << "a file the player made is never removed";
        EXPECT_EQ(fs::file_size(file), 0u);
    }
    ASSERT_TRUE(append(kLongRow));
    EXPECT_EQ(readFile(file), kHeader + "\n" + lineOf(kLongRow) + "\n");
}

TEST_F(AppendMatchRow, AFullDiskFails) {
    fs::create_symlink("/dev/full", file);
    EXPECT_FALSE(append(kRow));
    EXPECT_TRUE(fs::is_symlink(file));
}
#endif

// A file a spreadsheet saved takes the row in its own layout: the header's order and separator, a field
// quoted only where it must be, an empty field for a column of the player's own.
TEST_F(AppendMatchRow, ARowGoesInTheLayoutOfTheFilesHeader) {
    struct Case {
        const char* what;
        std::string header; // as the file holds it, line end included
        std::string title;
        std::string appended; // the line the row becomes
    };
    const std::string semicolons = "Assists;Demos;Goals;MMR;MVP;MyTeamGoals;OtherTeamGoals;Playlist;Points;"
                                   "Ranked;Saves;Shots;Time;Timestamp;Win\n";
    const std::string quotedReversed =
        "\xEF\xBB\xBF\"Win\",\"Timestamp\",\"Time\",\"Shots\",\"Saves\",\"Ranked\","
        "\"Points\",\"Playlist\",\"OtherTeamGoals\",\"MyTeamGoals\",\"MVP\",\"MMR\","
        "\"Goals\",\"Demos\",\"Assists\"\r\n";
    const std::string withNotes = "Playlist, Notes ,Win,Time,MMR,Points,Goals,Assists,Saves,Shots,Demos,MVP,"
                                  "MyTeamGoals,OtherTeamGoals,Ranked,Timestamp,Extra\n";
    const std::vector<Case> cases{
        {"semicolons", semicolons, "Hoops, Snow",
         "1;0;1;1000;0;1;3;Hoops, Snow;300;1;1;3;1796000000;18:45:38 12/03/26;0"},
        {"semicolon in a title", semicolons, "Hoops; Snow",
         "1;0;1;1000;0;1;3;\"Hoops; Snow\";300;1;1;3;1796000000;18:45:38 12/03/26;0"},
        {"quoted, reversed, byte-order mark", quotedReversed, "Duel",
         "0,18:45:38 12/03/26,1796000000,3,1,1,300,Duel,3,1,0,1000,1,0,1"},
        {"a player's own columns", withNotes, "Say \"hi\", all",
         "\"Say \"\"hi\"\", all\",,0,1796000000,1000,300,1,1,1,3,0,0,1,3,1,18:45:38 12/03/26,"},
        {"the plugin's own", kHeader + "\n", "Hoops, Snow",
         "1,0,1,1000,0,1,3,\"Hoops, Snow\",300,1,1,3,1796000000,18:45:38 12/03/26,0,"},
        {"an older file's, without the rating after", statsHeader(requiredColumnOrder()) + "\n", "Duel",
         "1,0,1,1000,0,1,3,Duel,300,1,1,3,1796000000,18:45:38 12/03/26,0"},
    };
    for (const Case& test : cases) {
        writeFile(file, test.header);
        const AppendResult result = appendMatchRow(stream, file, rowOf(test.title, false));
        ASSERT_TRUE(result.written) << test.what;
        EXPECT_EQ(result.headerLacks, "") << test.what;
        const std::string lineEnd = test.header.ends_with("\r\n") ? "\r\n" : "\n";
        EXPECT_EQ(readFile(file), test.header + test.appended + lineEnd) << test.what;
    }
}

// A player who added the column to an older file's header, wherever they put it, gets it filled there.
TEST_F(AppendMatchRow, TheRatingAfterGoesWhereTheHeaderNamesIt) {
    StatsRow row;
    row.mmrAfter = 1012;
    MatchRow values;
    for (const StatsColumnDescription& description : kStatsColumns)
        values[std::string(description.name)] = cellOf(row, description.column);
    const std::string header = "MMRAfter;" + statsHeader(requiredColumnOrder()) + "\n";
    std::string semicolons = header;
    for (char& c : semicolons)
        c = c == ',' ? ';' : c;
    writeFile(file, semicolons);
    ASSERT_TRUE(append(values));
    EXPECT_EQ(readFile(file),
              semicolons + "1012;1;0;1;1000;0;3;1;Ranked Doubles;300;1;1;3;1796000000;18:45:38 12/03/26;1\n");
}

TEST_F(AppendMatchRow, AHeaderLackingColumnsTakesTheRowInThePluginsOwnOrderSeparatedAsItIs) {
    const std::string lacking = "Assists;Demos;Goals;MMR;Playlist;Points;Saves;Shots;Time;Win\n";
    writeFile(file, lacking);
    const AppendResult result = appendMatchRow(stream, file, kRow);
    ASSERT_TRUE(result.written);
    EXPECT_EQ(result.headerLacks, "lacks the columns MVP, MyTeamGoals, OtherTeamGoals, Ranked, Timestamp");
    EXPECT_EQ(readFile(file), lacking + "1;0;1;1000;0;1;3;Duel;300;1;1;3;1796000000;18:45:38 12/03/26;0;\n");
}

namespace {

using namespace std::string_literals;

// ASCII text as UTF-16, little-endian or big-endian, without a byte-order mark.
std::string utf16(const std::string& ascii, bool bigEndian = false) {
    std::string bytes;
    for (const char c : ascii)
        bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return bytes;
}

const std::string kLittleMark = "\xFF\xFE";
const std::string kBigMark = "\xFE\xFF";

} // namespace

TEST_F(AppendMatchRow, AUtf16FileTakesTheRowInUtf16AndKeepsItsMark) {
    const std::string tabs =
        "Assists\tDemos\tGoals\tMMR\tMVP\tMyTeamGoals\tOtherTeamGoals\tPlaylist\tPoints\t"
        "Ranked\tSaves\tShots\tTime\tTimestamp\tWin";
    const std::string row = "1\t0\t1\t1000\t0\t1\t3\tDuel\t300\t1\t1\t3\t1796000000\t18:45:38 12/03/26\t0";
    for (const bool bigEndian : {false, true}) {
        const std::string before = (bigEndian ? kBigMark : kLittleMark) + utf16(tabs + "\r\n", bigEndian);
        writeFile(file, before);
        const AppendResult result = appendMatchRow(stream, file, kRow);
        ASSERT_TRUE(result.written);
        EXPECT_EQ(result.headerLacks, "");
        EXPECT_EQ(readFile(file), before + utf16(row + "\r\n", bigEndian)) << bigEndian;
    }
}

TEST_F(AppendMatchRow, AFileOfNothingButAByteOrderMarkGetsTheHeaderInItsEncoding) {
    for (const std::string& mark : {kLittleMark, kBigMark, "\xEF\xBB\xBF"s}) {
        writeFile(file, mark);
        ASSERT_TRUE(append(kRow));
        const std::string text = kHeader + lineEnd() + lineOf(kRow) + lineEnd();
        const std::string expected = mark == kLittleMark ? utf16(text)
                                     : mark == kBigMark  ? utf16(text, true)
                                                         : text;
        EXPECT_EQ(readFile(file), mark + expected);
    }
}

TEST_F(AppendMatchRow, AUtf16FileCutInTheHalfOfACharacterIsCompletedBeforeTheRow) {
    // Its last line feed's second byte never reached the disk: the one byte completes it.
    const std::string little = kLittleMark + utf16(kHeader + "\n");
    writeFile(file, little.substr(0, little.size() - 1));
    ASSERT_TRUE(append(kRow));
    EXPECT_EQ(readFile(file), little + utf16(lineOf(kRow) + "\n"));

    const std::string big = kBigMark + utf16(kHeader + "\n", true);
    writeFile(file, big.substr(0, big.size() - 1));
    ASSERT_TRUE(append(kRow));
    EXPECT_EQ(readFile(file), big + utf16(lineOf(kRow) + "\n", true));

    // The CR that ends the header of a file of CR line ends, cut in half: the row ends in CR too.
    const std::string carriageReturn = kLittleMark + utf16(kHeader + "\r");
    writeFile(file, carriageReturn.substr(0, carriageReturn.size() - 1));
    ASSERT_TRUE(append(kRow));
    EXPECT_EQ(readFile(file), carriageReturn + utf16(lineOf(kRow) + "\r"));

    // Cut in the last character of a row: that character is kept, and the row starts a line of its own.
    const std::string cutRow = kLittleMark + utf16(kHeader + "\r\n" + lineOf(kOtherRow));
    writeFile(file, cutRow.substr(0, cutRow.size() - 1));
    ASSERT_TRUE(append(kRow));
    EXPECT_EQ(readFile(file), cutRow + utf16("\r\n" + lineOf(kRow) + "\r\n"));
}

TEST_F(AppendMatchRow, AFileThatIsNoTextIsNeverChangedAndTheResultSaysWhatItIs) {
    const std::string workbook = "PK\x03\x04\x14\x00\x06\x00\x08\x00\x00\x00!\x00\n\xA1"s;
    writeFile(file, workbook);
    const AppendResult result = appendMatchRow(stream, file, kRow);
    EXPECT_FALSE(result.written);
    EXPECT_NE(result.refusal.find("is not a text file; it looks like a workbook"), std::string::npos)
        << result.refusal;
    EXPECT_EQ(readFile(file), workbook);
    EXPECT_FALSE(stream.is_open());
}

// A file that shrank between its size and its reading (rewritten by another program just then) has no
// form that can be told: nothing may be appended in a guessed one.
TEST_F(AppendMatchRow, AFileWhoseBytesCannotBeReadWholeHasNoForm) {
    const std::string before = kLittleMark + utf16(kHeader + "\r\n");
    writeFile(file, before);
    EXPECT_EQ(examineStatsFile(file, before.size() + 100).kind, ExistingStatsFile::unreadable);
    const ExistingStatsFile whole = examineStatsFile(file, before.size());
    EXPECT_EQ(whole.kind, ExistingStatsFile::text);
    EXPECT_EQ(whole.form.encoding, TextEncoding::utf16le);
}

TEST_F(AppendMatchRow, AFirstLineWithoutALineEndInItsFirst64KiBIsNoHeader) {
    const std::string huge(70 * 1024, 'x');
    writeFile(file, huge + "\n");
    const AppendResult result = appendMatchRow(stream, file, kRow);
    ASSERT_TRUE(result.written);
    EXPECT_EQ(result.headerLacks, "has no line end in its first 64 KiB, so it is no header");
    EXPECT_EQ(readFile(file), huge + "\n" + lineOf(kRow) + "\n");
}

#if defined(__linux__)
TEST_F(AppendMatchRow, AUtf16WriteCutShortLeavesTheFileAsItWas) {
    const std::string before = kLittleMark + utf16(kHeader + "\r\n");
    writeFile(file, before);
    {
        FileSizeLimit limit(before.size() + 40);
        EXPECT_FALSE(append(kRow));
        EXPECT_EQ(readFile(file), before);
    }
    ASSERT_TRUE(append(kRow));
    EXPECT_EQ(readFile(file), before + utf16(lineOf(kRow) + "\r\n"));
}
#endif
