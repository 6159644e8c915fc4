// hostsim's commands for people, end to end against the real module: the demo, the preview and
// pictures of the last frame.
#include "hostsim/DemoScenario.h"
#include "tests/hostsim/PictureProbe.h"
#include "tests/support/HostsimRun.h"
#include "tests/support/StatsFileText.h"
#include "tests/support/TestText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// The stats file as rows of named fields.
std::vector<std::map<std::string, std::string>> readStatsRows(const fs::path& file) {
    std::vector<std::vector<std::string>> lines;
    std::string content = readFile(file), end = lineEnd();
    for (std::size_t start = 0; start < content.size();) {
        std::size_t stop = content.find(end, start);
        std::string line =
            content.substr(start, stop == std::string::npos ? std::string::npos : stop - start);
        std::vector<std::string> fields;
        std::stringstream split(line);
        for (std::string field; std::getline(split, field, ',');)
            fields.push_back(field);
        lines.push_back(fields);
        start = stop == std::string::npos ? content.size() : stop + end.size();
    }
    std::vector<std::map<std::string, std::string>> rows;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::map<std::string, std::string> row;
        for (std::size_t k = 0; k < lines[0].size() && k < lines[i].size(); ++k)
            row[lines[0][k]] = lines[i][k];
        rows.push_back(row);
    }
    return rows;
}

// A stats file a player might bring: oldest match first, the newest (a win) last.
std::string playersStatsFile() {
    const std::string end = lineEnd();
    return statsHeader() + end + "1,0,2,1183,1,3,1,Ranked Doubles,486,1,1,4,1796409940,18:45:40 12/04/26,1" +
           end + "0,1,1,1192,0,2,4,Ranked Doubles,274,1,2,3,1796410380,18:53:00 12/04/26,0" + end +
           "2,0,2,1183,1,5,4,Ranked Doubles,612,1,1,6,1796410850,19:00:50 12/04/26,1" + end;
}

// Where the overlay's boxes stand with the default settings, and the text band of table row r.
constexpr int kMmrX = 405, kMmrY = 730, kPointsX = 405, kPointsY = 900;
Region rowBand(int boxX, int boxY, int row) {
    return {boxX, boxY + 5 + 12 * row, boxX + 200, boxY + 5 + 12 * row + 12};
}

// hostsim's demo with its data in `folder` and its picture at `picture`.
HostsimResult runDemo(const TempFolder& folder, const fs::path& picture) {
    return runHostsim({"demo", "--data", pathToUtf8(folder.path()), "--png", pathToUtf8(picture)});
}

} // namespace

TEST(Demo, PlaysItsSessionSaysWhereEverythingIsAndWritesThePicture) {
    TempFolder folder;
    const fs::path picture = folder / "demo.png";
    HostsimResult result = runDemo(folder, picture);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(contains(result.out, "--- > Tallyglass V1.1 Plugin loaded! < ---\n"));
    EXPECT_TRUE(contains(result.out, "tallyglass_box_opacity = 210\n"));
    EXPECT_TRUE(contains(result.out, "Private Match: won 6-5"));
    EXPECT_TRUE(contains(result.out, "Tallyglass Plugin enabled!\n"))
        << "the demo switches the overlay back on";
    EXPECT_TRUE(contains(result.out, "The picture: " + pathToUtf8(fs::absolute(picture)) + "\n"));
    EXPECT_TRUE(contains(result.out, pathToUtf8(defaultStatsFile(folder.path()))));
    const auto image = readPng(picture);
    ASSERT_TRUE(image) << "no PNG at " << pathToUtf8(picture);
    EXPECT_EQ(image->width(), 1920);
    EXPECT_EQ(image->height(), 1080);
}

TEST(Demo, LeavesAStatsFileWhoseRowsAreTheMatchesItRecorded) {
    TempFolder folder;
    HostsimResult result = runDemo(folder, folder / "demo.png");
    ASSERT_EQ(result.exitCode, 0) << result.err;

    std::vector<DemoMatch> recorded;
    for (const DemoMatch& match : demoMatches())
        if (!match.playlist.privateMatch)
            recorded.push_back(match);
    const auto rows = readStatsRows(defaultStatsFile(folder.path()));
    ASSERT_EQ(rows.size(), 12u) << "a dozen matches, the private one left out";
    ASSERT_EQ(rows.size(), recorded.size());
    std::set<std::string> playlists;
    int wins = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        const DemoMatch& match = recorded[i];
        SCOPED_TRACE("row " + std::to_string(i + 1));
        EXPECT_EQ(row.at("Playlist"), match.playlist.title);
        EXPECT_EQ(row.at("Ranked"), std::to_string(match.playlist.ranked));
        EXPECT_EQ(row.at("Win"), match.won() ? "1" : "0");
        EXPECT_EQ(row.at("MyTeamGoals"), std::to_string(match.ownGoals));
        EXPECT_EQ(row.at("OtherTeamGoals"), std::to_string(match.otherGoals));
        EXPECT_EQ(row.at("Points"), std::to_string(match.figures.points));
        EXPECT_EQ(row.at("Goals"), std::to_string(match.figures.goals));
        EXPECT_EQ(row.at("Assists"), std::to_string(match.figures.assists));
        EXPECT_EQ(row.at("Saves"), std::to_string(match.figures.saves));
        EXPECT_EQ(row.at("Shots"), std::to_string(match.figures.shots));
        EXPECT_EQ(row.at("Demos"), std::to_string(match.figures.demos));
        EXPECT_EQ(row.at("MVP"), match.figures.mvp ? "1" : "0");
        EXPECT_EQ(row.at("MMR"), std::to_string(static_cast<int>(match.ratingBefore)));
        EXPECT_EQ(row.at("MMRAfter"), std::to_string(static_cast<int>(match.ratingAfter)));
        if (i > 0) {
            EXPECT_GT(std::stoll(row.at("Time")), std::stoll(rows[i - 1].at("Time")));
        }
        playlists.insert(row.at("Playlist"));
        wins += row.at("Win") == "1" ? 1 : 0;
    }
    EXPECT_EQ(playlists, (std::set<std::string>{"Ranked Doubles", "Ranked Duel", "Casual Doubles"}));
    EXPECT_EQ(wins, 7);
    EXPECT_GE(std::stoll(rows.front().at("Time")), kDemoClockStart);
}

TEST(Demo, PictureShowsTheNewestWinInGreenAndTheLossBeforeItInRed) {
    TempFolder folder;
    const fs::path picture = folder / "demo.png";
    HostsimResult result = runDemo(folder, picture);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto image = readPng(picture);
    ASSERT_TRUE(image);
    // The last match was won, the one before lost: rows 1 and 2 of every box.
    for (auto [x, y] : {std::pair{kMmrX, kMmrY}, {kPointsX, kPointsY}}) {
        EXPECT_GT(countPixels(*image, rowBand(x, y, 1), isGreenInk), 20);
        EXPECT_EQ(countPixels(*image, rowBand(x, y, 1), isRedInk), 0);
        EXPECT_GT(countPixels(*image, rowBand(x, y, 2), isRedInk), 20);
        EXPECT_GT(countPixels(*image, rowBand(x, y, 0), isWhiteInk), 20) << "the header row";
    }
}

TEST(Preview, LeavesThePlayersStatsFileByteForByteAsItWas) {
    TempFolder folder;
    const fs::path stats = folder / "mine.csv";
    const std::string original = playersStatsFile() + "a last line without its end";
    writeFile(stats, original);
    const auto written = fs::last_write_time(stats);
    HostsimResult result =
        runHostsim({"preview", "--stats", pathToUtf8(stats), "--set", "tallyglass_box_opacity=120", "--clock",
                    "1796420000", "--png", pathToUtf8(folder / "preview.png")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readFile(stats), original);
    EXPECT_EQ(fs::last_write_time(stats), written);
    EXPECT_TRUE(readPng(folder / "preview.png"));
    EXPECT_TRUE(contains(result.out, "--- > Tallyglass V1.1 Plugin loaded! < ---\n"));
    std::vector<fs::path> left;
    for (const auto& entry : fs::directory_iterator(folder.path()))
        left.push_back(entry.path().filename());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<fs::path>{"mine.csv", "preview.png"}))
        << "the preview's copy stays out of the way";
}

TEST(Preview, DrawsThePlayersMatchesWithTheirSettings) {
    TempFolder folder;
    const fs::path stats = folder / "mine.csv", picture = folder / "preview.png";
    writeFile(stats, playersStatsFile());
    HostsimResult result =
        runHostsim({"preview", "--stats", pathToUtf8(stats), "--set", "tallyglass_box_mmr=0", "--set",
                    "tallyglass_box_r=90", "--set", "tallyglass_box_opacity=255", "--clock", "1796420000",
                    "--png", pathToUtf8(picture)});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto image = readPng(picture);
    ASSERT_TRUE(image);
    EXPECT_EQ(changedPixels(*image, {kMmrX, kMmrY, kMmrX + 200, kMmrY + 154}), 0)
        << "the MMR box is switched off";
    EXPECT_EQ(image->at(kPointsX + 1, kPointsY + 152), (picture::Rgba{90, 0, 0, 255}))
        << "an opaque box in red 90";
    EXPECT_GT(countPixels(*image, rowBand(kPointsX, kPointsY, 1), isGreenInk), 20)
        << "the newest match, a win";
    EXPECT_GT(countPixels(*image, rowBand(kPointsX, kPointsY, 2), isRedInk), 20) << "the loss before it";
    EXPECT_GT(countPixels(*image, rowBand(kPointsX, kPointsY, 3), isGreenInk), 20);
}

namespace {

// The players' file as a spreadsheet saves it as "Unicode text": UTF-16 LE after its byte-order mark,
// tabs, CR LF.
std::string asUnicodeText(const std::string& text) {
    std::string bytes = "\xFF\xFE";
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\n' && (at == 0 || text[at - 1] != '\r'))
            bytes += std::string{'\r', '\0'};
        bytes += std::string{text[at] == ',' ? '\t' : text[at], '\0'};
    }
    return bytes;
}

// The players' file as the old Macintosh CSV save in a European locale: semicolons, CR alone.
std::string asMacintoshCsv(const std::string& text) {
    std::string saved;
    for (std::size_t at = 0; at < text.size(); ++at)
        if (text[at] == ',')
            saved += ';';
        else if (text[at] == '\n')
            saved += '\r';
        else if (text[at] != '\r')
            saved += text[at];
    return saved;
}

HostsimResult previewOf(const fs::path& stats, const fs::path& picture) {
    return runHostsim(
        {"preview", "--stats", pathToUtf8(stats), "--clock", "1796420000", "--png", pathToUtf8(picture)});
}

} // namespace

TEST(Preview, DrawsAFileInEveryFormASpreadsheetSavesAsItDrawsTheCsv) {
    TempFolder folder;
    const fs::path csv = folder / "mine.csv";
    writeFile(csv, playersStatsFile());
    ASSERT_EQ(previewOf(csv, folder / "csv.png").exitCode, 0);
    const auto image = readPng(folder / "csv.png");
    ASSERT_TRUE(image);
    ASSERT_GT(countPixels(*image, rowBand(kPointsX, kPointsY, 1), isGreenInk), 20) << "the newest match";

    for (const auto& [name, saved] : {std::pair{"unicode.txt", asUnicodeText(playersStatsFile())},
                                      std::pair{"macintosh.csv", asMacintoshCsv(playersStatsFile())}}) {
        SCOPED_TRACE(name);
        const fs::path stats = folder / name, picture = folder / (std::string(name) + ".png");
        writeFile(stats, saved);
        const HostsimResult result = previewOf(stats, picture);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_FALSE(contains(result.out, "Tallyglass: ")) << "nothing to say about the file: " << result.out;
        EXPECT_EQ(readFile(picture), readFile(folder / "csv.png")) << "the same picture, pixel for pixel";
        EXPECT_EQ(readFile(stats), saved);
    }
}

TEST(Preview, SaysWhatAWorkbookSavedUnderTheNameIsAndDrawsNothingOfIt) {
    TempFolder folder;
    const fs::path stats = folder / "mine.xlsx", picture = folder / "preview.png";
    const std::string workbook = std::string("PK\x03\x04\x14\x00\x06\x00\x08\x00", 10) + "\n\xA1\xB2";
    writeFile(stats, workbook);
    const HostsimResult result = previewOf(stats, picture);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(contains(result.out, " is not a text file; it looks like a workbook (.xlsx or .ods)"))
        << result.out;
    EXPECT_EQ(readFile(stats), workbook);
    const auto image = readPng(picture);
    ASSERT_TRUE(image);
    EXPECT_EQ(countPixels(*image, rowBand(kPointsX, kPointsY, 1), isGreenInk), 0) << "no row of the workbook";
}

TEST(Preview, RefusesASettingThePluginDoesNotHaveBeforeDrawingAnything) {
    TempFolder folder;
    const fs::path stats = folder / "mine.csv";
    writeFile(stats, playersStatsFile());
    HostsimResult result =
        runHostsim({"preview", "--stats", pathToUtf8(stats), "--set", "tallyglass_box_opacity=100", "--set",
                    "tallyglass_box_colour=3", "--png", pathToUtf8(folder / "preview.png")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(contains(result.err, "tallyglass_box_colour")) << result.err;
    EXPECT_TRUE(contains(result.err, "tallyglass_box_r")) << "it lists the names there are: " << result.err;
    EXPECT_FALSE(fs::exists(folder / "preview.png"));
    EXPECT_EQ(readFile(stats), playersStatsFile());
}

TEST(Preview, RefusesAValueThatIsNoNumberBeforeRunningAnything) {
    TempFolder folder;
    const fs::path stats = folder / "mine.csv";
    writeFile(stats, playersStatsFile());
    for (const char* setting : {"tallyglass_box_r=red", "tallyglass_box_r=", "tallyglass_box_r=12px",
                                "tallyglass_box_r=nan", "tallyglass_box_r=1 2"}) {
        HostsimResult result = runHostsim({"preview", "--stats", pathToUtf8(stats), "--set", setting, "--png",
                                           pathToUtf8(folder / "preview.png")});
        EXPECT_EQ(result.exitCode, 2) << setting;
        EXPECT_TRUE(contains(result.err, "is not a number")) << result.err;
        EXPECT_EQ(result.out, "") << "nothing ran";
        EXPECT_FALSE(fs::exists(folder / "preview.png"));
    }
    for (const char* setting : {"tallyglass_box_r=+12", "tallyglass_box_r=-3", "tallyglass_box_r=0.5"}) {
        HostsimResult result = runHostsim({"preview", "--stats", pathToUtf8(stats), "--set", setting, "--png",
                                           pathToUtf8(folder / "preview.png")});
        EXPECT_EQ(result.exitCode, 0) << setting << ": " << result.err;
    }
}

TEST(Preview, SaysSoWhenTheStatsFileCannotBeRead) {
    TempFolder folder;
    HostsimResult result = runHostsim(
        {"preview", "--stats", pathToUtf8(folder / "missing.csv"), "--png", pathToUtf8(folder / "p.png")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(contains(result.err, "missing.csv")) << result.err;
    EXPECT_EQ(result.out, "");
    result =
        runHostsim({"preview", "--stats", pathToUtf8(folder.path()), "--png", pathToUtf8(folder / "p.png")});
    EXPECT_EQ(result.exitCode, 2) << "a folder is no stats file";
}

TEST(Preview, NeedsAUsableModule) {
    TempFolder folder;
    writeFile(folder / "mine.csv", playersStatsFile());
    HostsimResult result =
        runHostsim({"preview", "--stats", pathToUtf8(folder / "mine.csv"), "--module",
                    pathToUtf8(folder / "Nothing.dll"), "--png", pathToUtf8(folder / "p.png")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(contains(result.err, "Nothing.dll")) << result.err;
}

TEST(RunWithPicture, WithNothingDrawnShowsTheSceneAloneAndSaysSo) {
    TempFolder folder;
    HostsimResult result =
        runScenario("load\nframe 3\n", folder.path(), {"--png", pathToUtf8(folder / "frame.png")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(contains(result.err, "no frame drew anything")) << result.err;
    const auto image = readPng(folder / "frame.png");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->bytes(), backdrop().bytes());
    EXPECT_FALSE(contains(result.out, "The picture:")) << "run keeps standard output for the host console";
}

TEST(RunWithPicture, IntoAFolderThatDoesNotExistIsRefusedBeforeAnythingRuns) {
    TempFolder folder;
    HostsimResult result =
        runScenario("load\n", folder.path(), {"--png", pathToUtf8(folder / "nowhere" / "frame.png")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(contains(result.err, "nowhere")) << result.err;
    EXPECT_EQ(result.out, "");
}
