// tallyglass-report given a folder: the page of every account's stats file beside it, the index of the
// accounts, rescue files and files that cannot be read; and a bands file that cannot be used, which
// stops any report before it writes anything.
#include "report/ReportPage.h"
#include "statsfile/FileName.h"
#include "tests/report/ReportRun.h"
#include "tests/support/HostsimRun.h"
#include "tests/support/StatsFileText.h"
#include "tests/support/TestText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kNow = 1796600000;

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(pathToUtf8(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

const std::string kMain = "76561198000000001";
const std::string kSmurf = "76561198000000002";

// Two accounts: the main one played yesterday, the other ten days ago; beside them files that are no
// account's.
void writeTwoAccounts(const fs::path& folder) {
    writeFile(folder / statsFileName(kMain),
              statsFileText({ratedRow("Ranked Doubles", kNow - 5 * 86400, true, 1100, 1110),
                             ratedRow("Ranked Doubles", kNow - 86400, false, 1110, 1102),
                             ratedRow("Casual", kNow - 86400 + 600, true, 0)}));
    writeFile(folder / statsFileName(kSmurf),
              statsFileText({ratedRow("Ranked Duel", kNow - 10 * 86400, true, 700, 712)}));
    writeFile(folder / "notes.csv", "not a stats file\n");
    writeFile(folder / (kMain + "_Tallyglass (1).csv"),
              statsFileText({ratedRow("Ranked Duel", kNow - 60, true, 1)}));
    fs::create_directory(folder / "old");
    writeFile(folder / "old" / statsFileName("76561198000000003"),
              statsFileText({ratedRow("Duel", kNow - 60, true, 1)}));
}

TEST(FolderReport, EveryAccountsPageBesideItsFileAndAnIndexOfThem) {
    TempFolder folder;
    writeTwoAccounts(folder.path());
    const std::string mainText = readFile(folder / statsFileName(kMain));
    const ReportRun run = report({pathToUtf8(folder.path()), "--now", std::to_string(kNow)});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(namesIn(folder.path()),
              (std::vector<std::string>{kMain + "_Tallyglass (1).csv", kMain + "_Tallyglass.csv",
                                        kMain + "_Tallyglass.html", kSmurf + "_Tallyglass.csv",
                                        kSmurf + "_Tallyglass.html", "Tallyglass.html", "notes.csv", "old"}));
    EXPECT_EQ(namesIn(folder / "old"), std::vector<std::string>{statsFileName("76561198000000003")})
        << "subfolders are not read";
    EXPECT_EQ(readFile(folder / statsFileName(kMain)), mainText);

    // Each page is the page of its file alone.
    for (const std::string& id : {kMain, kSmurf}) {
        const ReportRun alone =
            report({pathToUtf8(folder / statsFileName(id)), "-o", pathToUtf8(folder / "old" / "alone.html"),
                    "--now", std::to_string(kNow)});
        ASSERT_EQ(alone.status, 0) << alone.err;
        EXPECT_EQ(readFile(folder / (id + "_Tallyglass.html")), readFile(folder / "old" / "alone.html"))
            << id;
        EXPECT_TRUE(contains(run.out, "Report: " + pathToUtf8(folder / (id + "_Tallyglass.html")) + "\n"))
            << run.out;
    }
    EXPECT_TRUE(contains(run.out, "Index:  " + pathToUtf8(folder / "Tallyglass.html") + " (2 accounts)\n"))
        << run.out;
    EXPECT_TRUE(contains(run.out, "3 matches, 2 wins - 1 loss (66.7%), 2 sessions")) << run.out;

    // The index: the most recently played first, each with its figures and rated playlists.
    const nlohmann::json index = pageData(readFile(folder / "Tallyglass.html"), "index");
    EXPECT_EQ(index["now"], kNow);
    ASSERT_EQ(index["accounts"].size(), 2u);
    const nlohmann::json& main = index["accounts"][0];
    EXPECT_EQ(main["playerId"], kMain);
    EXPECT_TRUE(main["rescue"].is_null());
    EXPECT_EQ(main["stats"].dump(),
              nlohmann::json::parse(R"({"file":")" + kMain + R"(_Tallyglass.csv","page":")" + kMain +
                                    R"(_Tallyglass.html","problem":null,"matches":3,"wins":2,"losses":1,)"
                                    R"("lastMatch":)" +
                                    std::to_string(kNow - 86400 + 600) +
                                    R"(,"playlists":[{"name":"Ranked Doubles","currentRating":1102,)"
                                    R"("currentRatingFromBefore":false,"peakRating":1110,"peakRatingTime":)" +
                                    std::to_string(kNow - 5 * 86400) + "}]}")
                  .dump());
    EXPECT_EQ(index["accounts"][1]["playerId"], kSmurf);
    EXPECT_EQ(index["accounts"][1]["stats"]["playlists"][0]["currentRating"], 712);
}

TEST(FolderReport, ARescueFileIsListedUnderItsAccountAndAFileThatCannotBeReadIsSaid) {
    TempFolder folder;
    writeTwoAccounts(folder.path());
    // The main account's stats file is a workbook saved under its name; its matches since went to the
    // rescue file. A third account has only its rescue file left.
    writeFile(folder / statsFileName(kMain), std::string("PK\x03\x04", 4) + std::string(64, '\0'));
    writeFile(folder / rescueFileName(kMain),
              statsFileText({ratedRow("Ranked Doubles", kNow - 3600, true, 1102, 1111)}));
    writeFile(folder / rescueFileName("third"),
              statsFileText({ratedRow("Casual", kNow - 40 * 86400, false, 0)}));
    const ReportRun run = report({pathToUtf8(folder.path()), "--now", std::to_string(kNow)});
    EXPECT_EQ(run.status, 2) << "a stats file that could not be read";
    EXPECT_TRUE(contains(run.err, pathToUtf8(folder / statsFileName(kMain)) + ": ")) << run.err;
    EXPECT_TRUE(contains(run.err, "; no page for it")) << run.err;
    EXPECT_FALSE(fs::exists(folder / (kMain + "_Tallyglass.html")));
    EXPECT_TRUE(fs::exists(folder / (kMain + "_Tallyglass_rescued.html")));
    EXPECT_TRUE(fs::exists(folder / "third_Tallyglass_rescued.html"));
    EXPECT_TRUE(fs::exists(folder / (kSmurf + "_Tallyglass.html")));

    const nlohmann::json index = pageData(readFile(folder / "Tallyglass.html"), "index");
    ASSERT_EQ(index["accounts"].size(), 3u);
    // The rescue file's match an hour ago is the newest.
    const nlohmann::json& main = index["accounts"][0];
    EXPECT_EQ(main["playerId"], kMain);
    EXPECT_TRUE(main["stats"]["page"].is_null());
    EXPECT_FALSE(main["stats"]["problem"].get<std::string>().empty());
    EXPECT_EQ(main["stats"]["matches"], 0);
    EXPECT_EQ(main["rescue"]["file"], rescueFileName(kMain));
    EXPECT_EQ(main["rescue"]["page"], kMain + "_Tallyglass_rescued.html");
    EXPECT_EQ(main["rescue"]["matches"], 1);
    EXPECT_EQ(main["rescue"]["playlists"][0]["currentRating"], 1111);
    const nlohmann::json& third = index["accounts"][2];
    EXPECT_EQ(third["playerId"], "third");
    EXPECT_EQ(third["stats"]["file"], "third_Tallyglass.csv");
    EXPECT_EQ(third["stats"]["problem"], "no such file (only its rescue file is here)");
    EXPECT_EQ(third["rescue"]["matches"], 1);
}

TEST(FolderReport, AFolderWithoutAStatsFileExitsTwoAndWritesNothing) {
    TempFolder folder;
    writeFile(folder / "notes.csv", "a,b\n");
    writeFile(folder / "_Tallyglass.csv", statsFileText({ratedRow("Duel", kNow - 60, true, 1)}));
    const ReportRun run = report({pathToUtf8(folder.path())});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(
        contains(run.err, pathToUtf8(folder.path()) + ": holds no stats file (<player id>_Tallyglass.csv)"))
        << run.err;
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"_Tallyglass.csv", "notes.csv"}));
}

TEST(FolderReport, ABandsFileThatCannotBeUsedStopsTheReportBeforeItWritesAnything) {
    TempFolder folder;
    writeTwoAccounts(folder.path());
    writeFile(folder / "bands.csv",
              "Playlist,Band,From\nRanked Doubles,Gold,900\nRanked Doubles,Platinum,eleven\n");
    const std::vector<std::string> before = namesIn(folder.path());
    const std::string bands = pathToUtf8(folder / "bands.csv");
    for (const std::string& input : {pathToUtf8(folder.path()), pathToUtf8(folder / statsFileName(kMain))}) {
        const ReportRun run = report({input, "--bands", bands, "--now", std::to_string(kNow)});
        EXPECT_EQ(run.status, 2) << input;
        EXPECT_EQ(run.err, "tallyglass-report: " + bands + ":3: From is not a whole number: \"eleven\"\n");
        EXPECT_EQ(namesIn(folder.path()), before);
    }
    const ReportRun missing = report({pathToUtf8(folder.path()), "--bands", pathToUtf8(folder / "none.csv"),
                                      "--now", std::to_string(kNow)});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(contains(missing.err, "none.csv: no such file")) << missing.err;
    EXPECT_EQ(namesIn(folder.path()), before);

    // A usable one: the bands reach every account's page, and the console's table.
    writeFile(folder / "bands.csv",
              "Playlist,Band,From\nRanked Doubles,Gold,900\nRanked Doubles,Platinum,1150\n");
    const ReportRun run =
        report({pathToUtf8(folder.path()), "--bands", bands, "--now", std::to_string(kNow)});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json page = pageData(readFile(folder / (kMain + "_Tallyglass.html")));
    EXPECT_EQ(page["playlists"][0]["band"]["name"], "Gold");
    EXPECT_EQ(page["playlists"][0]["band"]["toNext"], 1150 - 1102);
    EXPECT_TRUE(contains(run.out, "Band  To next\n")) << run.out;
    EXPECT_TRUE(contains(run.out, "Gold       48\n")) << run.out;
}

} // namespace
