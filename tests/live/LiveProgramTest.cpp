// tallyglass-live as a player runs it: what it refuses before writing anything, what it writes, a file
// that cannot be replaced for a while, and (end to end) hostsim playing matches with the real module
// into the stats file it follows.
#include "tests/live/LiveTestSupport.h"
#include "tests/support/StatsFileText.h"

#if defined(_WIN32)
#include "live/ConsoleControl.h"
#include "tests/support/ExclusiveFileHold.h"

#include <windows.h>
#endif

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kStart = 1796000000;

std::string statsText(std::int64_t start = kStart) {
    StatsRow first;
    first.time = start;
    StatsRow second;
    second.time = start + 600;
    second.win = false;
    return statsFileText({first, second});
}

TEST(LiveProgram, WhatCannotBeUsedIsRefusedWithExitTwoBeforeAnythingIsWritten) {
    TempFolder folder;
    writeFile(folder / "stats.csv", statsText());
    const std::string stats = pathToUtf8(folder / "stats.csv");
    fs::create_directory(folder / "a folder");
    writeFile(folder / "a file", "x");
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused {
        {{}, "no stats file or data folder given"},
            {{stats, "--session-gap", "0"}, "--session-gap takes whole minutes"},
            {{stats, "--session-gap", "30.5"}, "--session-gap takes whole minutes"},
            {{stats, "--now", "yesterday"}, "--now takes seconds"}, {{stats, "--out"}, "--out needs a value"},
            {{stats, "--frobnicate"}, "unknown option --frobnicate"},
            {{stats, stats}, "one stats file or folder at a time"},
            // A data folder without a stats file, once: nothing to write.
            {{pathToUtf8(folder / "a folder"), "--once", "--out", pathToUtf8(folder / "out")},
             "holds no stats file (<player id>_Tallyglass.csv) yet"},
#if defined(_WIN32)
            {{"NUL", "--out", pathToUtf8(folder / "out")}, "is not a regular file"},
#else
            {{"/dev/null", "--out", pathToUtf8(folder / "out")}, "is not a regular file"},
#endif
            {{pathToUtf8(folder / "no folder" / "stats.csv"), "--out", pathToUtf8(folder / "out")},
             "does not exist"},
            {{stats, "--out", pathToUtf8(folder / "a file")}, "is not a folder"},
            {{stats, "--out", pathToUtf8(folder / "a file" / "below")}, "cannot be created"},
            {{stats, "--once", "--out", pathToUtf8(folder / "out"), "--now", "1796000000"}, ""},
    };
    for (const auto& [arguments, message] : refused) {
        if (message.empty())
            continue;
        const LiveResult result = runLiveOnce(arguments, kStart);
        EXPECT_EQ(result.exitCode, 2) << message;
        EXPECT_TRUE(contains(result.err, message)) << result.err;
    }
    // An output named like the stats file would overwrite it.
    writeFile(folder / "session.json", statsText());
    const LiveResult clash = runLiveOnce(
        {pathToUtf8(folder / "session.json"), "--out", pathToUtf8(folder.path()), "--once"}, kStart);
    EXPECT_EQ(clash.exitCode, 2);
    EXPECT_TRUE(contains(clash.err, "is the stats file itself")) << clash.err;
    EXPECT_EQ(readFile(folder / "session.json"), statsText());
    // With --once, a file that is missing or no stats file writes nothing.
    for (const std::string& text : {std::string(), std::string("notes\n")}) {
        writeFile(folder / "notes.csv", text);
        const LiveResult result = runLiveOnce({pathToUtf8(folder / "notes.csv"), "--once"}, kStart);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_TRUE(contains(result.err, "notes.csv: ")) << result.err;
    }
    const LiveResult missing = runLiveOnce({pathToUtf8(folder / "missing.csv"), "--once"}, kStart);
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(contains(missing.err, "no such file")) << missing.err;
    EXPECT_FALSE(fs::exists(folder / "tallyglass-live"));
    EXPECT_FALSE(fs::exists(folder / "out"));
    EXPECT_EQ(readFile(folder / "stats.csv"), statsText());
}

TEST(LiveProgram, OnceWritesEveryFileBesideTheStatsFileInAFolderOfAnyName) {
    TempFolder scratch;
    const fs::path folder =
        scratch / "Spieler \xC3\x9Cn\xC3\xAF\x63\xC3\xB8\x64\xC3\xA9 \xE7\xB5\xB1\xE8\xA8\x88";
    fs::create_directory(folder);
    writeFile(folder / "76561198000000001_Tallyglass.csv", statsText());
    const LiveResult result = runLiveOnce(
        {pathToUtf8(folder / "76561198000000001_Tallyglass.csv"), "--once", "--now", "1796000700"}, kStart);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const fs::path out = folder / "tallyglass-live";
    EXPECT_TRUE(contains(result.out, pathToUtf8(out / "live.html"))) << result.out;
    EXPECT_TRUE(contains(result.out, pathToUtf8(out / "overlay.html"))) << result.out;
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(out))
        names.push_back(pathToUtf8(entry.path().filename()));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"assists.txt",    "band.txt",   "demos.txt",         "goals.txt",
                                        "last-match.txt", "live.html",  "losses.txt",        "mvps.txt",
                                        "overlay.html",   "points.txt", "rating-change.txt", "rating.txt",
                                        "record.txt",     "saves.txt",  "session.js",        "session.json",
                                        "shots.txt",      "streak.txt", "to-next-band.txt",  "wins.txt"}));
    const nlohmann::json json = sessionJsonIn(out);
    EXPECT_EQ(json["file"], "76561198000000001_Tallyglass.csv");
    EXPECT_EQ(json["account"], "76561198000000001");
    EXPECT_EQ(json["updated"], 1796000700);
    EXPECT_EQ(json["matches"], 2);
    EXPECT_EQ(readFile(out / "record.txt"), "1-1");
    EXPECT_EQ(readFile(out / "streak.txt"), "L1");
    EXPECT_EQ(readFile(out / "last-match.txt"), "Ranked Doubles 1-3 L");
    // The pages load their data from the script beside them, which sets one global.
    const std::string script = readFile(out / "session.js");
    EXPECT_EQ(script.rfind("window.tallyglassSession = {", 0), 0U) << script.substr(0, 80);
    EXPECT_TRUE(contains(readFile(out / "live.html"), "<script src=\"session.js\"></script>"));
    EXPECT_TRUE(contains(readFile(out / "overlay.html"), "default-src 'none'"));
    EXPECT_EQ(readFile(folder / "76561198000000001_Tallyglass.csv"), statsText());
}

TEST(LiveProgram, AFileThatCannotBeReplacedNowIsWrittenAtALaterUpdate) {
    TempFolder folder;
    const std::int64_t start = systemClock() - 1200;
    writeFile(folder / "stats.csv", statsText(start));
    const fs::path out = folder / "tallyglass-live";
    FollowingLive live({pathToUtf8(folder / "stats.csv")});
    ASSERT_TRUE(eventually([&] { return readFile(out / "record.txt") == "1-1"; }, std::chrono::seconds(10)));
    {
#if defined(_WIN32)
        // Held open by a reader that shares nothing, as some programs hold a file they show.
        ExclusiveFileHold hold(out / "record.txt");
        ASSERT_TRUE(hold.held());
#else
        // Where a file cannot be replaced, a folder with something in it stands in its way.
        fs::remove(out / "record.txt");
        fs::create_directories(out / "record.txt" / "in the way");
#endif
        StatsRow third;
        third.time = start + 900;
        std::ofstream(folder / "stats.csv", std::ios::app | std::ios::binary) << statsRowLine(third) << "\n";
        ASSERT_TRUE(eventually([&] { return readFile(out / "wins.txt") == "2"; }, std::chrono::seconds(10)));
        std::this_thread::sleep_for(std::chrono::milliseconds(1200));
#if !defined(_WIN32)
        fs::remove_all(out / "record.txt");
#endif
    }
    EXPECT_TRUE(eventually([&] { return readFile(out / "record.txt") == "2-1"; }, std::chrono::seconds(10)));
    const LiveResult result = live.stop();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(contains(result.err, "record.txt: cannot be written now")) << result.err;
    EXPECT_TRUE(contains(result.err, "record.txt: written again")) << result.err;
    for (const fs::directory_entry& entry : fs::directory_iterator(out))
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << "no file left beside";
}

#if defined(_WIN32)
// Closing the console window ends the process once the handler returns: the handler asks the loop to
// stop and returns only when the work is finished (or the grace time is nearly over).
TEST(LiveProgram, ClosingTheConsoleWaitsForTheLoopToFinish) {
    HANDLE stopAsked = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE workFinished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> returned{false};
    std::thread console([&] {
        handleConsoleControl(CTRL_CLOSE_EVENT, stopAsked, workFinished);
        returned = true;
    });
    EXPECT_EQ(WaitForSingleObject(stopAsked, 5000), WAIT_OBJECT_0);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(returned);
    SetEvent(workFinished);
    console.join();
    EXPECT_TRUE(returned);
    ResetEvent(stopAsked);
    EXPECT_TRUE(handleConsoleControl(CTRL_C_EVENT, stopAsked, workFinished));
    EXPECT_EQ(WaitForSingleObject(stopAsked, 0), WAIT_OBJECT_0);
    CloseHandle(stopAsked);
    CloseHandle(workFinished);
}
#endif

} // namespace
