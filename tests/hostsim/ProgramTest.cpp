// The hostsim program itself, as a user starts it: paths in any script reach it as typed, and a
// standard output that cannot be written is a failure.
#include "tests/support/HostsimProcess.h"
#include "tests/support/HostsimRun.h"
#include "tests/support/StatsFileText.h"
#include "tests/support/TestText.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(Program, PathsInAnyScriptReachItAsTyped) {
    TempFolder folder;
    const std::string stats = statsHeader() + lineEnd() +
                              "1,0,2,1183,1,3,1,Ranked Doubles,486,1,1,4,1796409940,18:45:40 12/04/26,1" +
                              lineEnd();
    for (const char* name :
         {"Caf\xc3\xa9", "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82", "\xe7\xbb\x9f\xe8\xae\xa1"}) {
        const fs::path place = folder / name;
        fs::create_directory(fs::u8path(pathToUtf8(place)));
        writeFile(fs::u8path(pathToUtf8(place / "stats.csv")), stats);
        ProcessResult result =
            runHostsimProgram({"preview", "--stats", pathToUtf8(place / "stats.csv"), "--png",
                               pathToUtf8(place / "p.png"), "--clock", "1796420000"});
        EXPECT_EQ(result.exitCode, 0) << name << ": " << result.err;
        EXPECT_TRUE(fs::is_regular_file(fs::u8path(pathToUtf8(place / "p.png"))))
            << name << ": " << result.err;
        EXPECT_EQ(readFile(fs::u8path(pathToUtf8(place / "stats.csv"))), stats);
    }
}

TEST(Program, HelpGoesToStandardOutput) {
    ProcessResult result = runHostsimProgram({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("usage: hostsim"), std::string::npos) << result.out;
}

#if !defined(_WIN32)
TEST(Program, AStandardOutputThatCannotBeWrittenIsAFailure) {
    TempFolder folder;
    writeFile(folder / "s.txt", "load\nconsole tallyglass_box_opacity\n");
    ProcessResult result = runHostsimProgram(
        {"run", pathToUtf8(folder / "s.txt"), "--data", pathToUtf8(folder / "data")}, fs::path("/dev/full"));
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.err.find("standard output"), std::string::npos) << result.err;
}
#endif
