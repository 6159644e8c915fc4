// What hostsim reads and writes: only regular files are read, no output replaces an input, outputs
// appear whole or not at all, and a failed output is a failure.
#include "hostsim/picture/FontFile.h"
#include "tests/support/HostsimRun.h"
#include "tests/support/StatsFileText.h"
#include "tests/support/TestText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::set<fs::path> entries(const fs::path& folder) {
    std::set<fs::path> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename());
    return names;
}

const std::string kStats =
    statsHeader() + "\n" + "1,0,2,1183,1,3,1,Ranked Doubles,486,1,1,4,1796409940,18:45:40 12/04/26,1\n";

// Sets an environment variable for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value)
        : name_(name) {
#if defined(_WIN32)
        _putenv_s(name, value.c_str());
#else
        setenv(name, value.c_str(), 1);
#endif
    }
    ~ScopedVariable() {
#if defined(_WIN32)
        _putenv_s(name_, "");
#else
        unsetenv(name_);
#endif
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
};

} // namespace

TEST(Outputs, NamingAnInputDirectlyOrThroughALinkIsRefusedBeforeAnythingRuns) {
    TempFolder folder;
    const fs::path stats = folder / "mine.csv", scenario = folder / "scenario.txt";
    writeFile(stats, kStats);
    writeFile(scenario, "load\necho ran\n");
    std::vector<std::vector<std::string>> commands{
        {"preview", "--stats", pathToUtf8(stats), "--png", pathToUtf8(stats)},
        {"preview", "--stats", pathToUtf8(stats), "--png", pathToUtf8(folder / "." / "mine.csv")},
        {"run", pathToUtf8(scenario), "--data", pathToUtf8(folder / "data"), "--trace", pathToUtf8(scenario)},
        {"run", pathToUtf8(scenario), "--data", pathToUtf8(folder / "data"), "--png", pathToUtf8(scenario)},
        {"run", pathToUtf8(scenario), "--data", pathToUtf8(folder.path()), "--trace",
         pathToUtf8(folder / "t.txt"), "--png", pathToUtf8(folder / "t.txt")},
        {"run", pathToUtf8(scenario), "--data", pathToUtf8(folder.path()), "--trace",
         pathToUtf8(defaultStatsFile(folder.path()))},
    };
#if !defined(_WIN32)
    fs::create_symlink(stats, folder / "link.png");
    commands.push_back({"preview", "--stats", pathToUtf8(stats), "--png", pathToUtf8(folder / "link.png")});
    fs::create_symlink(scenario, folder / "trace-link.txt");
    commands.push_back({"run", pathToUtf8(scenario), "--data", pathToUtf8(folder / "data"), "--trace",
                        pathToUtf8(folder / "trace-link.txt")});
#endif
    for (const auto& command : commands) {
        HostsimResult result = runHostsim(command);
        EXPECT_EQ(result.exitCode, 2) << command.back() << ": " << result.err;
        EXPECT_TRUE(contains(result.err, "which this run reads") || contains(result.err, "as well"))
            << result.err;
        EXPECT_EQ(result.out, "") << "nothing ran";
    }
    EXPECT_EQ(readFile(stats), kStats);
    EXPECT_EQ(readFile(scenario), "load\necho ran\n");
}

TEST(Outputs, ThePictureMayNotReplaceTheModuleOrTheFont) {
    TempFolder folder;
    const fs::path stats = folder / "mine.csv";
    writeFile(stats, kStats);
    const fs::path module = folder / "copy-of-module";
    writeFile(module, "not really a module");
    HostsimResult result = runHostsim({"preview", "--stats", pathToUtf8(stats), "--module",
                                       pathToUtf8(module), "--png", pathToUtf8(module)});
    EXPECT_EQ(result.exitCode, 2) << result.err;
    EXPECT_TRUE(contains(result.err, "the module")) << result.err;
    EXPECT_EQ(readFile(module), "not really a module");

    const fs::path font = folder / "font.ttf";
    for (const fs::path& place : picture::fontSearchPlaces())
        if (fs::is_regular_file(place)) {
            fs::copy_file(place, font);
            break;
        }
    ASSERT_TRUE(fs::exists(font)) << "no font installed";
    const std::string original = readFile(font);
    ScopedVariable variable("HOSTSIM_FONT", pathToUtf8(font));
    result = runHostsim({"preview", "--stats", pathToUtf8(stats), "--png", pathToUtf8(font)});
    EXPECT_EQ(result.exitCode, 2) << result.err;
    EXPECT_TRUE(contains(result.err, "a font")) << result.err;
    EXPECT_EQ(readFile(font), original);
}

TEST(Inputs, AFolderADeviceAPipeOrAMissingFileIsNoScenario) {
    TempFolder folder;
    std::vector<std::pair<fs::path, std::string>> cases{
        {folder.path(), "folder"},
        {folder / "missing.txt", "No such file"},
    };
#if !defined(_WIN32)
    cases.emplace_back("/dev/zero", "not a regular file");
    ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0600), 0);
    cases.emplace_back(folder / "pipe", "not a regular file");
#endif
    for (const auto& [scenario, reason] : cases) {
        HostsimResult result =
            runHostsim({"run", pathToUtf8(scenario), "--data", pathToUtf8(folder / "data")});
        EXPECT_EQ(result.exitCode, 2) << pathToUtf8(scenario);
        EXPECT_TRUE(contains(result.err, pathToUtf8(scenario) + ":0: cannot read the scenario file"))
            << result.err;
        EXPECT_TRUE(contains(result.err, reason)) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

TEST(Inputs, TheFontNamedInTheEnvironmentMustBeAFontFile) {
    TempFolder folder;
    writeFile(folder / "mine.csv", kStats);
    std::vector<std::pair<std::string, std::string>> cases{
        {pathToUtf8(folder.path()), "folder"},
        {pathToUtf8(folder / "missing.ttf"), "No such file"},
        {pathToUtf8(folder / "mine.csv"), "not a TrueType font"},
    };
#if !defined(_WIN32)
    cases.emplace_back("/dev/zero", "not a regular file");
#endif
    for (const auto& [font, reason] : cases) {
        ScopedVariable variable("HOSTSIM_FONT", font);
        HostsimResult result = runHostsim(
            {"preview", "--stats", pathToUtf8(folder / "mine.csv"), "--png", pathToUtf8(folder / "p.png")});
        EXPECT_EQ(result.exitCode, 2) << font;
        EXPECT_TRUE(contains(result.err, font)) << result.err;
        EXPECT_TRUE(contains(result.err, reason)) << result.err;
        EXPECT_FALSE(fs::exists(folder / "p.png")) << "no silent fallback to another font";
    }
}

TEST(Outputs, APictureIntoAFolderNoFileCanBeMadeInIsRefusedBeforeAnythingRuns) {
    TempFolder folder;
    writeFile(folder / "mine.csv", kStats);
    std::vector<fs::path> places;
#if !defined(_WIN32)
    // Not even the superuser can make a file in /proc.
    places.push_back("/proc/tallyglass-preview.png");
    if (geteuid() != 0) {
        fs::create_directory(folder / "locked");
        fs::permissions(folder / "locked", fs::perms::owner_read | fs::perms::owner_exec);
        places.push_back(folder / "locked" / "p.png");
    }
#endif
    places.push_back(folder / "a-folder");
    fs::create_directory(folder / "a-folder");
    for (const fs::path& picture : places) {
        HostsimResult result =
            runHostsim({"preview", "--stats", pathToUtf8(folder / "mine.csv"), "--png", pathToUtf8(picture)});
        EXPECT_EQ(result.exitCode, 2) << pathToUtf8(picture);
        EXPECT_TRUE(contains(result.err, "cannot write the picture " + pathToUtf8(picture) + ": "))
            << result.err;
        EXPECT_EQ(result.out, "") << "nothing ran";
    }
}

#if !defined(_WIN32)
TEST(Outputs, ATraceOntoAFullDeviceIsAFailure) {
    TempFolder folder;
    writeFile(folder / "s.txt", "load\nframe 3\n");
    HostsimResult full = runHostsim(
        {"run", pathToUtf8(folder / "s.txt"), "--data", pathToUtf8(folder / "data"), "--trace", "/dev/full"});
    EXPECT_EQ(full.exitCode, 4) << full.err;
    EXPECT_TRUE(contains(full.err, "cannot write the trace file /dev/full: No space left")) << full.err;
}
#endif

TEST(Outputs, AnOlderTraceStaysWholeWhenTheRunIsRefused) {
    TempFolder folder;
    writeFile(folder / "trace.txt", "an older trace\n");
    writeFile(folder / "s.txt", "load\nframe 1\n");
    // The module cannot be used: the run stops after the trace was prepared.
    HostsimResult result =
        runHostsim({"run", pathToUtf8(folder / "s.txt"), "--data", pathToUtf8(folder / "data"), "--trace",
                    pathToUtf8(folder / "trace.txt"), "--module", pathToUtf8(folder / "none.so")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(readFile(folder / "trace.txt"), "an older trace\n");
    EXPECT_EQ(entries(folder.path()), (std::set<fs::path>{"s.txt", "trace.txt"}))
        << "no temporary file and no data folder left behind";
#if !defined(_WIN32)
    // The picture cannot be written: refused before the trace is touched.
    result = runHostsim({"run", pathToUtf8(folder / "s.txt"), "--data", pathToUtf8(folder / "data"),
                         "--trace", pathToUtf8(folder / "trace.txt"), "--png", "/proc/frame.png"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(readFile(folder / "trace.txt"), "an older trace\n");
#endif
}

TEST(DataFolder, ARunWithoutOneLeavesNoFolderBehindWhenItIsRefused) {
    TempFolder folder;
    writeFile(folder / "s.txt", "load\n");
    HostsimResult result = runHostsim(
        {"run", pathToUtf8(folder / "s.txt"), "--trace", pathToUtf8(folder / "missing-folder" / "t.txt")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_FALSE(contains(result.err, "data folder"))
        << "no folder was made, so none is named: " << result.err;

    HostsimResult ran = runHostsim({"run", pathToUtf8(folder / "s.txt")});
    ASSERT_EQ(ran.exitCode, 0) << ran.err;
    const std::string named = "hostsim: data folder ";
    const std::size_t at = ran.err.find(named);
    ASSERT_NE(at, std::string::npos) << ran.err;
    const fs::path made =
        fs::u8path(ran.err.substr(at + named.size(), ran.err.find('\n', at) - at - named.size()));
    EXPECT_TRUE(fs::is_directory(made)) << "the folder named is left for the user";
    fs::remove_all(made);
}

TEST(Inputs, AScenarioTooLargeToHoldIsRefusedUnread) {
    TempFolder folder;
    writeFile(folder / "huge.txt", std::string(17u << 20, '#'));
    HostsimResult result =
        runHostsim({"run", pathToUtf8(folder / "huge.txt"), "--data", pathToUtf8(folder / "data")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(contains(result.err, "it holds 17825792 bytes, more than the 16777216")) << result.err;
}
