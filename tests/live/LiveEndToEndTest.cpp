// End to end: tallyglass-live follows a data folder while hostsim plays matches into it with the real
// module, and the file is replaced, truncated, deleted and created again under it.
#include "hostsim/ModuleLoader.h"
#include "tests/live/LiveTestSupport.h"
#include "tests/support/StatsFileText.h"

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace fs = std::filesystem;

namespace {

// One match on the real clock: won 3-1 or lost 1-3, with this rating announced before it ends.
std::string matchScenario(bool win, int rating, const std::string& title = "Ranked Doubles") {
    return "load\nonline title=\"" + title + "\" id=11 ranked=1\nrating " + std::to_string(rating) +
           "\nannounce\nlocal team=0\nscore " + (win ? "3 1" : "1 3") + "\nwinner " + (win ? "0" : "1") +
           "\nstats points=400 goals=2 assists=1 saves=1 shots=4\nmatchend\nwait 7\nunload\n";
}

// The view shows `record` in the files and the JSON. How soon follows from the pause between two looks
// at the file, checked at the end of the test; the wait here is long, so that a busy machine does not
// fail the test.
::testing::AssertionResult shows(const fs::path& out, const std::string& record) {
    const auto begun = std::chrono::steady_clock::now();
    const bool shown = eventually(
        [&] {
            const nlohmann::json json = sessionJsonIn(out);
            return readFile(out / "record.txt") == record && json.is_object() &&
                   std::to_string(json["wins"].get<int>()) + "-" +
                           std::to_string(json["losses"].get<int>()) ==
                       record;
        },
        std::chrono::seconds(10));
    const auto took =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - begun);
    if (shown)
        return ::testing::AssertionSuccess() << record << " shown after " << took.count() << " ms";
    return ::testing::AssertionFailure()
           << "record.txt shows \"" << readFile(out / "record.txt") << "\", not " << record;
}

TEST(LiveEndToEnd, EachMatchHostsimPlaysShowsSoonAndTheFileMayChangeUnderIt) {
    TempFolder data;
    const fs::path stats = defaultStatsFile(data.path());
    const fs::path out = data / "tallyglass-live";
    FollowingLive live({pathToUtf8(stats)});
    // No stats file yet: a new player's view waits at 0-0.
    // Each file is replaced whole, but one after the other: wait for the JSON as well as the text.
    ASSERT_TRUE(
        eventually([&] { return readFile(out / "record.txt") == "0-0" && sessionJsonIn(out).is_object(); },
                   std::chrono::seconds(10)));
    EXPECT_FALSE(sessionJsonIn(out)["status"].is_null());

    const std::vector<std::pair<bool, int>> matches{{true, 1183}, {false, 1174}, {true, 1185}};
    int wins = 0;
    int losses = 0;
    for (const auto& [win, rating] : matches) {
        ASSERT_EQ(runScenario(matchScenario(win, rating), data.path()).exitCode, 0);
        ++(win ? wins : losses);
        EXPECT_TRUE(shows(out, std::to_string(wins) + "-" + std::to_string(losses)));
    }
    nlohmann::json json = sessionJsonIn(out);
    EXPECT_TRUE(json["status"].is_null());
    EXPECT_EQ(json["streak"], 1);
    EXPECT_EQ(json["playlists"][0]["ratingChange"], 2);
    EXPECT_EQ(readFile(out / "rating.txt"), "1185");
    EXPECT_EQ(readFile(out / "rating-change.txt"), "+2");
    EXPECT_EQ(readFile(out / "last-match.txt"), "Ranked Doubles 3-1 W");

    // Replaced by a copy with its rows newest first, as a spreadsheet saves it after sorting.
    {
        const std::vector<std::string> kept = linesOf(readFile(stats));
        std::string reordered = kept.front() + "\n";
        for (std::size_t at = kept.size() - 1; at >= 2; --at)
            reordered += kept[at] + "\n";
        writeFile(data / "saved.csv", reordered); // the first match left out
        fs::rename(data / "saved.csv", stats);
    }
    EXPECT_TRUE(shows(out, "1-1"));

    // Truncated to its header.
    writeFile(stats, statsHeader() + "\n");
    EXPECT_TRUE(shows(out, "0-0"));

    // Deleted: the last view stays and says so; created again by the next match.
    ASSERT_EQ(runScenario(matchScenario(false, 1170), data.path()).exitCode, 0);
    EXPECT_TRUE(shows(out, "0-1"));
    fs::remove(stats);
    EXPECT_TRUE(
        eventually([&] { return !sessionJsonIn(out)["status"].is_null(); }, std::chrono::seconds(10)));
    EXPECT_EQ(readFile(out / "record.txt"), "0-1");
    ASSERT_EQ(runScenario(matchScenario(true, 1190, "Ranked Duel"), data.path()).exitCode, 0);
    EXPECT_TRUE(shows(out, "1-0"));
    EXPECT_EQ(readFile(out / "last-match.txt"), "Ranked Duel 3-1 W");

    const LiveResult result = live.stop();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(contains(result.err, "not there yet")) << result.err;
    // A match shows within two seconds of being written: a look at the file at most every second, and
    // the pages take their data every second.
    EXPECT_GT(result.longestPause.count(), 0);
    EXPECT_LE(result.longestPause.count(), 1000);
    EXPECT_TRUE(sessionJsonIn(out).is_object());
}

// A workbook saved over the stats file's name: the view says what it is, in the JSON its pages show and
// on the console, while the plugin leaves the file as it is; saved again as Unicode text (UTF-16, tabs,
// CR LF), it is read, and a match the plugin appends in that form shows.
TEST(LiveEndToEnd, AWorkbookInThePlaceOfTheFileIsNamedUntilItIsSavedAsTextAgain) {
    TempFolder data;
    const fs::path stats = defaultStatsFile(data.path());
    const fs::path out = data / "tallyglass-live";
    const std::string workbook("PK\x03\x04\x14\x00\x06\x00\x08\x00\n\xA1\xB2", 13);
    writeFile(stats, workbook);
    FollowingLive live({pathToUtf8(stats)});
    const auto saysWorkbook = [&] {
        const nlohmann::json json = sessionJsonIn(out);
        return json.is_object() && json["status"].is_string() &&
               contains(json["status"].get<std::string>(), "is not a text file; it looks like a workbook");
    };
    ASSERT_TRUE(eventually(saysWorkbook, std::chrono::seconds(10)));
    ASSERT_EQ(runScenario(matchScenario(true, 1183), data.path()).exitCode, 0);
    EXPECT_EQ(readFile(stats), workbook);

    std::string unicodeText = "\xFF\xFE";
    for (const char c : statsHeader() + "\r\n")
        unicodeText += std::string{c == ',' ? '\t' : c, '\0'};
    writeFile(stats, unicodeText);
    EXPECT_TRUE(eventually([&] { return sessionJsonIn(out)["status"].is_null(); }, std::chrono::seconds(10)));
    ASSERT_EQ(runScenario(matchScenario(true, 1190), data.path()).exitCode, 0);
    EXPECT_TRUE(shows(out, "1-0"));
    EXPECT_EQ(readFile(stats).substr(0, unicodeText.size()), unicodeText);

    const LiveResult result = live.stop();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(contains(result.err, "is not a text file; it looks like a workbook")) << result.err;
}

#if !defined(_WIN32)
// The program itself ends cleanly on Ctrl-C (SIGINT), its files whole and as last written.
TEST(LiveEndToEnd, CtrlCEndsTheProgramCleanly) {
    TempFolder data;
    StatsRow match;
    match.time = systemClock() - 60;
    writeFile(data / "stats.csv", statsFileText({match}));
    const std::string program = (executableDirectory() / "tallyglass-live").string();
    const std::string stats = pathToUtf8(data / "stats.csv");
    std::vector<char*> argv{const_cast<char*>(program.c_str()), const_cast<char*>(stats.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string outFile = pathToUtf8(data / "out.txt");
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    const fs::path out = data / "tallyglass-live";
    EXPECT_TRUE(eventually([&] { return readFile(out / "record.txt") == "1-0"; }, std::chrono::seconds(10)));
    kill(child, SIGINT);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(contains(readFile(data / "out.txt"), "Stopped.")) << readFile(data / "out.txt");
    EXPECT_EQ(sessionJsonIn(out)["matches"], 1);
    for (const fs::directory_entry& entry : fs::directory_iterator(out))
        EXPECT_NE(entry.path().extension(), ".new") << entry.path();
}
#endif

} // namespace
