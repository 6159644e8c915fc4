#include "toolkit/WholeFile.h"
#include "tests/support/HostsimRun.h"

#include <gtest/gtest.h>

#include <set>

namespace fs = std::filesystem;

namespace {

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(WholeFile, ReplacesTheTargetAndLeavesNothingBeside) {
    TempFolder folder;
    writeFile(folder / "page.html", "an older page that is longer than the new one");
    EXPECT_EQ(replaceFileWith(folder / "page.html", "new"), std::nullopt);
    EXPECT_EQ(readFile(folder / "page.html"), "new");
    EXPECT_EQ(replaceFileWith(folder / "fresh.json", ""), std::nullopt) << "a new, empty file";
    EXPECT_EQ(readFile(folder / "fresh.json"), "");
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"fresh.json", "page.html"}));
}

TEST(WholeFile, ManySmallWritesAndOneLargeComeOutInOrder) {
    TempFolder folder;
    std::string expected;
    {
        WholeFileWriter writer(folder / "trace.txt");
        ASSERT_FALSE(writer.failure()) << writer.failure().message();
        for (int line = 0; line < 20000; ++line) {
            const std::string text = "line " + std::to_string(line) + "\n";
            writer.write(text);
            expected += text;
        }
        // Larger than the buffer: written past it, after what the buffer holds.
        const std::string block(200000, 'x');
        writer.write(block);
        expected += block;
        writer.write("end\n");
        expected += "end\n";
        EXPECT_FALSE(fs::exists(folder / "trace.txt")) << "nothing in place before the commit";
        EXPECT_FALSE(writer.commit());
    }
    EXPECT_EQ(readFile(folder / "trace.txt"), expected);
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"trace.txt"}));
}

TEST(WholeFile, AWriterThatIsNotCommittedLeavesTheTargetAsItWas) {
    TempFolder folder;
    writeFile(folder / "page.html", "the old page");
    {
        WholeFileWriter writer(folder / "page.html");
        writer.write("half a page");
    }
    EXPECT_EQ(readFile(folder / "page.html"), "the old page");
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"page.html"}));
}

TEST(WholeFile, AFolderThatDoesNotExistIsTheReasonGiven) {
    TempFolder folder;
    const std::optional<std::string> failure = replaceFileWith(folder / "missing" / "page.html", "x");
    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure, systemReason(std::make_error_code(std::errc::no_such_file_or_directory)));
    WholeFileWriter writer(folder / "missing" / "page.html");
    EXPECT_TRUE(writer.failure());
    writer.write("ignored");
    EXPECT_EQ(writer.commit(), writer.failure()) << "the first failure is the one reported";
    EXPECT_FALSE(fs::exists(folder / "missing"));
}

TEST(WholeFile, AFolderInTheTargetsPlaceStaysAndIsAFailure) {
    TempFolder folder;
    fs::create_directory(folder / "page.html");
    EXPECT_TRUE(replaceFileWith(folder / "page.html", "x"));
    EXPECT_TRUE(fs::is_directory(folder / "page.html"));
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"page.html"}));
}

#if !defined(_WIN32)
TEST(WholeFile, ThroughALinkTheFileItPointsToIsReplacedAndTheLinkStays) {
    TempFolder folder;
    fs::create_directory(folder / "real");
    writeFile(folder / "real" / "page.html", "old");
    fs::create_symlink(folder / "real" / "page.html", folder / "link.html");
    ASSERT_EQ(replaceFileWith(folder / "link.html", "new"), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(folder / "link.html"));
    EXPECT_EQ(readFile(folder / "real" / "page.html"), "new");
    EXPECT_EQ(namesIn(folder / "real"), (std::set<std::string>{"page.html"}))
        << "the temporary file was beside it";
}

TEST(WholeFile, AFolderNoFileCanBeMadeInIsAFailure) {
    // Not even the superuser can make a file in /proc.
    EXPECT_TRUE(replaceFileWith("/proc/tallyglass-page.html", "new"));
    WholeFileWriter writer("/proc/tallyglass-page.html");
    EXPECT_TRUE(writer.failure());
    EXPECT_FALSE(fs::exists("/proc/tallyglass-page.html"));
}
#endif

TEST(WholeFile, SystemReasonsLoseTheFullStopAndLineBreakWindowsEndsThemWith) {
    const std::string reason = systemReason(std::make_error_code(std::errc::no_such_file_or_directory));
    ASSERT_FALSE(reason.empty());
    EXPECT_NE(reason.back(), '.');
    EXPECT_NE(reason.back(), '\n');
    EXPECT_NE(reason.back(), '\r');
}

} // namespace
