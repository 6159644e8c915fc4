// Stats files saved by a spreadsheet in each form it saves text in, end to end through hostsim and the
// real module: two matches recorded into each go in the file's own encoding, separator and line end (the
// bytes checked as the spreadsheet would read them), the history report and the live view read every row,
// and the scoreboard shows them. A workbook saved over the file's name is left byte for byte as it was,
// and its matches are found where the console says.
#include "live/LiveProgram.h"
#include "report/HistoryBuilder.h"
#include "statsfile/RowSink.h"
#include "tests/live/LiveTestSupport.h"
#include "tests/recording/RecordingScenario.h"
#include "tests/support/FaultScenario.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace std::string_literals;
using testing::Contains;
using testing::HasSubstr;
using testing::Not;

constexpr std::int64_t kClock = 1765141509; // the clock of kLoadedAfterWonMatch

// How a spreadsheet saved the file: the encoding of its text, its separator and its line end.
struct SavedForm {
    const char* what;
    enum Encoding { utf8, utf8WithMark, utf16le, utf16be } encoding;
    char separator;
    std::u16string lineEnd;
};

const SavedForm kForms[] = {
    {"Unicode text: UTF-16 LE, tabs, CR LF", SavedForm::utf16le, '\t', u"\r\n"},
    {"UTF-16 BE, commas, CR LF", SavedForm::utf16be, ',', u"\r\n"},
    {"UTF-16 LE, semicolons, CR alone", SavedForm::utf16le, ';', u"\r"},
    {"Text (Tab delimited): UTF-8, tabs, CR LF", SavedForm::utf8, '\t', u"\r\n"},
    {"Text (Tab delimited): UTF-8, tabs, LF", SavedForm::utf8, '\t', u"\n"},
    {"CSV (Macintosh): commas, CR alone", SavedForm::utf8, ',', u"\r"},
    {"CSV UTF-8 in a European locale, CR alone", SavedForm::utf8WithMark, ';', u"\r"},
};

// The rows, in the writer's column order, separated by commas: written into the form by the test itself,
// independently of the plugin's writing. The earlier match's title is not ASCII.
const std::u16string kEarlierTitle = u"Duel \u00e9t\u00e9";
std::u16string earlierRow() {
    return u"0,0,1,0,0,1,4," + kEarlierTitle + u",95,0,0,2," + std::u16string(u"1765141029") +
           u",20:57:09 12/07/25,0";
}
// The matches the scenario records, their MMRAfter empty (no rating is announced after them).
const std::u16string kFirstRecorded =
    u"1,1,2,0,1,3,2,Ranked Doubles,420,1,3,5,1765141509,21:05:09 12/07/25,1,";
const std::u16string kSecondRecorded =
    u"1,1,2,0,1,3,2,Ranked Doubles,420,1,3,5,1765141515,21:05:15 12/07/25,1,";

std::u16string widened(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

std::u16string separatedBy(std::u16string line, char separator) {
    std::replace(line.begin(), line.end(), u',', static_cast<char16_t>(separator));
    return line;
}

// UTF-8 of text in the Basic Multilingual Plane.
std::string utf8Of(const std::u16string& text) {
    std::string bytes;
    for (const char16_t c : text) {
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (c < 0x800) {
            bytes += static_cast<char>(0xC0 | (c >> 6));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            bytes += static_cast<char>(0xE0 | (c >> 12));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

// The bytes of `text` in the form's encoding, without a byte-order mark.
std::string bytesOf(const std::u16string& text, const SavedForm& form) {
    if (form.encoding == SavedForm::utf8 || form.encoding == SavedForm::utf8WithMark)
        return utf8Of(text);
    std::string bytes;
    for (const char16_t c : text) {
        const char high = static_cast<char>(c >> 8);
        const char low = static_cast<char>(c & 0xFF);
        bytes += form.encoding == SavedForm::utf16be ? high : low;
        bytes += form.encoding == SavedForm::utf16be ? low : high;
    }
    return bytes;
}

std::string byteOrderMark(const SavedForm& form) {
    switch (form.encoding) {
    case SavedForm::utf8:
        return "";
    case SavedForm::utf8WithMark:
        return "\xEF\xBB\xBF";
    case SavedForm::utf16le:
        return "\xFF\xFE";
    case SavedForm::utf16be:
        return "\xFE\xFF";
    }
    return "";
}

// The lines, each ended as the form ends lines, as the file's bytes.
std::string savedLines(const std::vector<std::u16string>& lines, const SavedForm& form) {
    std::u16string text;
    for (const std::u16string& line : lines)
        text += separatedBy(line, form.separator) + form.lineEnd;
    return bytesOf(text, form);
}

// The texts drawn in the run's frames.
std::vector<std::string> drawnTexts(const HostsimResult& run) {
    return ::drawnTexts(run.traceLines("DrawString \""));
}

// Two won matches of kLoadedAfterWonMatch, six seconds apart, then the scoreboard.
std::string twoMatchesAndTheScoreboard() {
    return kLoadedAfterWonMatch + "matchend\nwait 6\nmatchend\nwait 6\nscoreboard open\nframe\n";
}

// tallyglass-live once on `file`, a minute after the matches; its session.json.
nlohmann::json liveViewOnce(const std::filesystem::path& file, const std::filesystem::path& out,
                            LiveResult& result) {
    result = runLiveOnce({pathToUtf8(file), "--once", "--out", pathToUtf8(out)}, kClock + 60);
    return sessionJsonIn(out);
}

} // namespace

TEST(SpreadsheetForms, TwoMatchesGoInTheFilesOwnFormAndEveryProgramReadsEveryRow) {
    for (const SavedForm& form : kForms) {
        SCOPED_TRACE(form.what);
        TempFolder data;
        const std::filesystem::path file = defaultStatsFile(data.path());
        const std::string before = byteOrderMark(form) + savedLines({widened(kHeader), earlierRow()}, form);
        writeFile(file, before);

        const HostsimResult run = runScenario(twoMatchesAndTheScoreboard(), data.path());
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(readFile(file), before + savedLines({kFirstRecorded, kSecondRecorded}, form))
            << "the rows in the file's encoding, separator and line end, after what it held";
        EXPECT_EQ(run.out, "--- > Tallyglass V1.1 Plugin loaded! < ---\n") << "nothing to say about the file";

        const std::vector<std::string> drawn = drawnTexts(run);
        for (const std::string& cell :
             {"R Ranked Doubles"s, "C " + utf8Of(kEarlierTitle), "3-2"s, "1-4"s, "Average Points: 311.67"s})
            EXPECT_THAT(drawn, Contains(cell));

        const HistorySummary summary = summarizeStatsFile(file, kClock + 3600);
        EXPECT_EQ(summary.matches, 3u);
        EXPECT_EQ(summary.wins, 2u);
        EXPECT_EQ(summary.skippedCount, 0u) << (summary.skipped.empty() ? "" : summary.skipped[0].reason);
        ASSERT_EQ(summary.playlists.size(), 2u);
        EXPECT_EQ(summary.playlists[1].name, utf8Of(kEarlierTitle));

        LiveResult live;
        const nlohmann::json session = liveViewOnce(file, data / "live", live);
        ASSERT_EQ(live.exitCode, 0) << live.err;
        EXPECT_EQ(session["wins"], 2);
        EXPECT_EQ(session["losses"], 1);
        EXPECT_EQ(session["skippedLines"], 0);
        EXPECT_TRUE(session["status"].is_null()) << session["status"];
    }
}

TEST(SpreadsheetForms, AWorkbookSavedOverTheFileIsLeftAsItWasAndItsMatchesAreWhereTheConsoleSays) {
    TempFolder data;
    const std::filesystem::path file = defaultStatsFile(data.path());
    // A zip archive's first bytes, as a workbook (.xlsx) begins, with line ends and high bytes among them.
    const std::string workbook =
        "PK\x03\x04\x14\x00\x06\x00\x08\x00\x00\x00!\x00\xA1\xB2\n[Content_Types].xml\r"
        "\xEC\x97\xCB\x6E\xDB\x30\x10\x45\xF7\x05\xFA\x0F\n\x00\x00"s;
    writeFile(file, workbook);

    // Two matches: one written on the host's timer, one pending when the game exits.
    const HostsimResult run = runScenario(
        kLoadedAfterWonMatch + "matchend\nwait 6\nscoreboard open\nframe\nmatchend\nwait 5.9\n", data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readFile(file), workbook) << "never appended to, never changed";

    const std::filesystem::path rescue = data / "76561198000000001_Tallyglass_rescued.csv";
    const std::string note =
        "Tallyglass: " + pathToUtf8(file) +
        " is not a text file; it looks like a workbook (.xlsx or .ods) saved under its "
        "name: save it as CSV. Tallyglass leaves it as it is and records new matches in " +
        pathToUtf8(rescue) + " meanwhile; copy them into the stats file once it is CSV again.\n";
    EXPECT_EQ(run.out, "--- > Tallyglass V1.1 Plugin loaded! < ---\n" + note) << "said once, at the load";
    EXPECT_EQ(readFile(rescue), fileLines({kHeader, wonMatchRow(),
                                           "1,1,2,0,1,3,2,Ranked Doubles,420,1,3,5,1765141515,21:05:15 "
                                           "12/07/25,1,"}))
        << "both matches, the second written as the game exited";

    // Meanwhile the scoreboard shows the match that was recorded, and nothing of the workbook.
    const std::vector<std::string> drawn = drawnTexts(run);
    EXPECT_THAT(drawn, Contains("R Ranked Doubles"));
    EXPECT_THAT(drawn, Contains("3-2"));
    EXPECT_THAT(drawn, Contains("Average Points: 420.00"));
    EXPECT_THAT(drawn, Not(Contains(HasSubstr("PK"))));

    // The report and the live view say what the file is; the rescue file reads as any stats file.
    try {
        summarizeStatsFile(file, kClock + 3600);
        ADD_FAILURE() << "a workbook read as a stats file";
    } catch (const StatsFileError& error) {
        EXPECT_THAT(error.what(), HasSubstr("is not a text file; it looks like a workbook"));
    }
    EXPECT_EQ(summarizeStatsFile(rescue, kClock + 3600).matches, 2u);
    LiveResult live;
    liveViewOnce(file, data / "live", live);
    EXPECT_EQ(live.exitCode, 2);
    EXPECT_THAT(live.err, HasSubstr("is not a text file; it looks like a workbook"));
    EXPECT_EQ(readFile(file), workbook);
}

TEST(SpreadsheetForms, AnEncodingTheRuleDoesNotReadIsNamedAndTheFileKept) {
    TempFolder data;
    const std::filesystem::path file = defaultStatsFile(data.path());
    // UTF-16 without a byte-order mark (what some programs export as "Unicode").
    std::string unmarked;
    for (const char c : kHeader + "\r\n")
        unmarked += std::string{c, '\0'};
    writeFile(file, unmarked);

    const HostsimResult run = runScenario(kLoadedAfterWonMatch + "matchend\nwait 6\n", data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readFile(file), unmarked);
    EXPECT_THAT(run.out,
                HasSubstr(" is UTF-16 text (little-endian) without a byte-order mark, which Tallyglass "
                          "does not read: save it as CSV (UTF-8) or as Unicode text."));
    EXPECT_THAT(run.out, Not(HasSubstr("lacks the columns")));
    EXPECT_EQ(readFile(data / "76561198000000001_Tallyglass_rescued.csv"),
              fileLines({kHeader, wonMatchRow()}));
}
