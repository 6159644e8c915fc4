// tallyglass-live given the data folder: which of the accounts' stats files it follows (the one changed
// last), the switch to another account's file as soon as a match is appended to it (hostsim playing it
// through the real module), the rescue file the plugin records in, a folder without a stats file yet,
// and what session.json says of the file.
#include "live/AccountFiles.h"
#include "statsfile/FileName.h"
#include "tests/live/LiveTestSupport.h"
#include "tests/support/StatsFileText.h"

#include <gtest/gtest.h>

#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr const char* kFirstId = "76561198000000001";
constexpr const char* kSecondId = "76561198000000002";

std::string statsFileOf(const std::string& id) {
    return id + "_Tallyglass.csv";
}

// A file of `wins` wins and `losses` losses, a few minutes before `now`, changed at `changed` seconds
// from now on the file system's clock.
void writeAccountFile(const fs::path& file, int wins, int losses, std::int64_t now, int changed) {
    std::vector<StatsRow> rows;
    for (int at = 0; at < wins + losses; ++at) {
        StatsRow row;
        row.time = now - 600 + at * 60;
        row.win = at < wins;
        rows.push_back(row);
    }
    writeFile(file, statsFileText(rows));
    fs::last_write_time(file, fs::file_time_type::clock::now() + std::chrono::seconds(changed));
}

// One match of player `id` on the real clock, won 3-1.
std::string matchScenario(const std::string& id) {
    return "player " + id +
           "\nload\nonline title=\"Ranked Doubles\" id=11 ranked=1\nrating 1200\nannounce\nlocal team=0\n"
           "score 3 1\nwinner 0\nstats points=400 goals=2 assists=1 saves=1 shots=4 mvp=1\nmatchend\n"
           "wait 7\nunload\n";
}

bool follows(const fs::path& out, const std::string& id, const std::string& record) {
    return eventually(
        [&] {
            const nlohmann::json json = sessionJsonIn(out);
            return json.is_object() && json["account"] == id && json["file"] == statsFileOf(id) &&
                   readFile(out / "record.txt") == record;
        },
        std::chrono::seconds(10));
}

TEST(DataFolder, TheAccountsFilesAreTheStatsFileAndTheRescueFileTheOneChangedLastFollowed) {
    TempFolder data;
    const std::int64_t now = systemClock();
    writeAccountFile(data / statsFileOf(kFirstId), 1, 0, now, -100);
    writeAccountFile(data / rescueFileName(kFirstId), 1, 0, now, -50);
    writeAccountFile(data / statsFileOf(kSecondId), 1, 0, now, -200);
    // Not a file of any account's: a renamed copy is no file the plugin writes.
    writeAccountFile(data / (std::string(kFirstId) + "_Tallyglass (1).csv"), 1, 0, now, 0);
    writeAccountFile(data / "_Tallyglass.csv", 1, 0, now, 0);
    writeAccountFile(data / "76561198000000003_Tallyglass.csv.bak", 1, 0, now, 0);
    writeAccountFile(data / "Tallyglass.csv", 1, 0, now, 0);
    fs::create_directory(data / "76561198000000004_Tallyglass.csv");

    std::vector<AccountFile> files = accountFilesIn(data.path());
    ASSERT_EQ(files.size(), 3U);
    std::optional<AccountFile> chosen = fileToFollow(files, {});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->path.filename(), rescueFileName(kFirstId));
    EXPECT_EQ(chosen->account, kFirstId);

    // Changed at the same moment: the file followed stays; at the start, a stats file's own name first.
    const fs::file_time_type moment = fs::file_time_type::clock::now();
    for (const AccountFile& file : files)
        fs::last_write_time(file.path, moment);
    files = accountFilesIn(data.path());
    EXPECT_EQ(fileToFollow(files, data / statsFileOf(kSecondId))->account, kSecondId);
    EXPECT_EQ(fileToFollow(files, {})->path, data / statsFileOf(kFirstId));
    EXPECT_FALSE(fileToFollow({}, {}));
    EXPECT_TRUE(accountFilesIn(data / "no such folder").empty());
}

TEST(DataFolder, OnceWritesTheViewOfTheFileChangedLastInsideTheFolder) {
    TempFolder data;
    const std::int64_t now = systemClock();
    writeAccountFile(data / statsFileOf(kFirstId), 2, 1, now, -100);
    writeAccountFile(data / statsFileOf(kSecondId), 0, 2, now, -10);
    const LiveResult result = runLiveOnce({pathToUtf8(data.path()), "--once"}, now);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const fs::path out = data / "tallyglass-live";
    const nlohmann::json json = sessionJsonIn(out);
    EXPECT_EQ(json["file"], statsFileOf(kSecondId));
    EXPECT_EQ(json["account"], kSecondId);
    EXPECT_EQ(readFile(out / "record.txt"), "0-2");
    EXPECT_TRUE(contains(result.out, pathToUtf8(out / "overlay.html"))) << result.out;
}

TEST(DataFolder, AMatchAppendedToAnotherAccountsFileSwitchesToIt) {
    TempFolder data;
    const std::int64_t now = systemClock();
    writeAccountFile(data / statsFileOf(kFirstId), 2, 1, now, -100);
    writeAccountFile(data / statsFileOf(kSecondId), 0, 2, now, -10);
    const fs::path out = data / "tallyglass-live";
    FollowingLive live({pathToUtf8(data.path())});
    ASSERT_TRUE(follows(out, kSecondId, "0-2"));

    // The first account plays: its file changes last.
    ASSERT_EQ(runScenario(matchScenario(kFirstId), data.path()).exitCode, 0);
    ASSERT_TRUE(follows(out, kFirstId, "3-1"));
    const nlohmann::json json = sessionJsonIn(out);
    EXPECT_EQ(json["totals"]["mvps"], 1);
    EXPECT_EQ(readFile(out / "goals.txt"), std::to_string(3 * 1 + 2));
    // And back, once the other one plays: a match later, in a later second by the file's time (which on
    // Windows counts whole seconds, a tie keeping the file followed).
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    ASSERT_EQ(runScenario(matchScenario(kSecondId), data.path()).exitCode, 0);
    ASSERT_TRUE(follows(out, kSecondId, "1-2"));

    const LiveResult result = live.stop();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(contains(result.out, "Now following " + pathToUtf8(data / statsFileOf(kFirstId))))
        << result.out;
}

// The stats file saved as a workbook under its name: the plugin records the next match in the rescue
// file, which then changed last and is followed; the workbook is left as it is.
TEST(DataFolder, TheRescueFileIsFollowedOnceThePluginRecordsInIt) {
    TempFolder data;
    const fs::path workbook = data / statsFileOf(kFirstId);
    constexpr char kZip[] = "PK\x03\x04\x14\x00\x06\x00\x08\x00\x00\x00!\x00workbook";
    const std::string zip(kZip, sizeof kZip - 1);
    writeFile(workbook, zip);
    // Saved a while before the match (a file's time may count whole seconds only, as on Windows).
    fs::last_write_time(workbook, fs::file_time_type::clock::now() - std::chrono::seconds(100));
    const fs::path out = data / "tallyglass-live";
    FollowingLive live({pathToUtf8(data.path())});
    ASSERT_TRUE(eventually(
        [&] {
            const nlohmann::json json = sessionJsonIn(out);
            return json.is_object() && json["status"].is_string();
        },
        std::chrono::seconds(10)));
    EXPECT_EQ(sessionJsonIn(out)["file"], statsFileOf(kFirstId));

    ASSERT_EQ(runScenario(matchScenario(kFirstId), data.path()).exitCode, 0);
    ASSERT_TRUE(fs::exists(data / rescueFileName(kFirstId)));
    ASSERT_TRUE(eventually(
        [&] {
            const nlohmann::json json = sessionJsonIn(out);
            return json.is_object() && json["file"] == rescueFileName(kFirstId) &&
                   readFile(out / "record.txt") == "1-0";
        },
        std::chrono::seconds(10)))
        << sessionJsonIn(out).dump();
    const nlohmann::json json = sessionJsonIn(out);
    EXPECT_EQ(json["account"], kFirstId);
    EXPECT_TRUE(json["status"].is_null()) << json["status"];
    EXPECT_EQ(readFile(out / "saves.txt"), "1");
    EXPECT_EQ(readFile(workbook), zip);
    live.stop();
}

TEST(DataFolder, AFolderWithoutAStatsFileIsWaitedOn) {
    TempFolder data;
    const fs::path out = data / "tallyglass-live";
    FollowingLive live({pathToUtf8(data.path())});
    ASSERT_TRUE(eventually([&] { return sessionJsonIn(out).is_object(); }, std::chrono::seconds(10)));
    nlohmann::json json = sessionJsonIn(out);
    EXPECT_TRUE(json["file"].is_null());
    EXPECT_TRUE(json["account"].is_null());
    EXPECT_TRUE(contains(json["status"].get<std::string>(), "Waiting for a stats file")) << json["status"];
    EXPECT_EQ(readFile(out / "record.txt"), "0-0");
    EXPECT_EQ(readFile(out / "points.txt"), "0");

    ASSERT_EQ(runScenario(matchScenario(kFirstId), data.path()).exitCode, 0);
    ASSERT_TRUE(follows(out, kFirstId, "1-0"));
    EXPECT_TRUE(sessionJsonIn(out)["status"].is_null());
    const LiveResult result = live.stop();
    EXPECT_TRUE(contains(result.err, "holds no stats file")) << result.err;
}

} // namespace
