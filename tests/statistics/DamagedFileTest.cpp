// Stats files a player's machine can really hold: a very long history, a power cut's run of zero bytes,
// a line of megabytes. Each loads without a crash, memory stays bounded (only capped lines are kept),
// the newest matches show, and the next match is appended on a line of its own.
#include "tests/support/FaultScenario.h"
#include "tests/support/SteppedHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;
using testing::Contains;

namespace {

// Far more than any text a box shows; a kept line or a drawn text beyond it means the plugin kept a
// damaged line whole.
constexpr std::size_t kBoundedTextBytes = 64 * 1024;

std::string tailOf(const fs::path& file, std::size_t bytes) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    const auto size = static_cast<std::size_t>(in.tellg());
    const std::size_t start = size > bytes ? size - bytes : 0;
    in.seekg(static_cast<std::streamoff>(start));
    std::string text(size - start, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    return text;
}

void expectKeptTextsBounded(const Tallyglass& plugin) {
    for (const std::string& line : plugin.recentLines)
        EXPECT_LE(line.size(), kBoundedTextBytes);
    for (const std::string& field : plugin.lineFields)
        EXPECT_LE(field.size(), kBoundedTextBytes);
}

TEST(DamagedStatsFile, AMillionLineFileLoadsShowsItsTenNewestRowsAndTakesTheNextMatch) {
    TempFolder data;
    const fs::path statsFile = defaultStatsFile(data.path());
    {
        std::ofstream out(statsFile, std::ios::binary);
        out << kStatsHeader << '\n';
        for (int points = 1; points < 1000000; ++points)
            out << statsRowLine(rowWithPoints(points, 1796600000)) << '\n';
    }
    SteppedHost host(data.path());
    host.play(kLoadedInOnlineGame + kOpenScoreboardAndDraw);
    ASSERT_NE(host.plugin(), nullptr);
    EXPECT_EQ(host.plugin()->lineCount, 1000000);
    const std::vector<std::string> shown = host.lastFrameTexts();
    EXPECT_THAT(shown, Contains("999999"));
    EXPECT_THAT(shown, Contains("999990"));
    EXPECT_THAT(shown, testing::Not(Contains("999989"))) << "only the ten newest rows are kept";
    expectKeptTextsBounded(*host.plugin());

    host.play(endedMatch(1000000) + kOpenScoreboardAndDraw);
    EXPECT_THAT(host.lastFrameTexts(), Contains("1000000"));
    host.finish();
    EXPECT_EQ(host.escapedException(), "");
    const std::string tail = tailOf(statsFile, 200);
    EXPECT_NE(tail.find(",999999,"), std::string::npos);
    EXPECT_NE(tail.find(",1000000,"), std::string::npos);
    EXPECT_EQ(tail.back(), '\n');
    EXPECT_THAT(unexpectedConsoleLines(host.console()), testing::IsEmpty());
}

TEST(DamagedStatsFile, AFileEndingInZeroBytesAfterAPowerCutKeepsItsMatchesAndTakesTheNextOne) {
    TempFolder data;
    const fs::path statsFile = defaultStatsFile(data.path());
    const std::string before = statsFileWithPoints({5101, 5102, 5103}) + std::string(4096, '\0');
    writeFile(statsFile, before);
    SteppedHost host(data.path());
    host.play(kLoadedInOnlineGame + kOpenScoreboardAndDraw);
    for (const char* points : {"5101", "5102", "5103"})
        EXPECT_THAT(host.lastFrameTexts(), Contains(points));

    host.play(endedMatch(5104) + kOpenScoreboardAndDraw);
    EXPECT_THAT(host.lastFrameTexts(), Contains("5104"));
    expectCleanEnd(host, statsFile, {5101, 5102, 5103, 5104});
    const std::string after = readFile(statsFile);
    EXPECT_EQ(after.substr(0, before.size()), before) << "the damaged file is appended to, never rewritten";
}

TEST(DamagedStatsFile, ALineOfSeveralMegabytesIsKeptOnlyInPartAndTheRowsAroundItShow) {
    TempFolder data;
    const fs::path statsFile = defaultStatsFile(data.path());
    std::string text = statsFileWithPoints({6101});
    text += std::string(3 * 1024 * 1024, 'x') + "," + std::string(3 * 1024 * 1024, 'y') + "\n";
    text += statsFileWithPoints({6102}).substr(kStatsHeader.size() + 1);
    writeFile(statsFile, text);
    SteppedHost host(data.path());
    host.play(kLoadedInOnlineGame + kOpenScoreboardAndDraw);
    ASSERT_NE(host.plugin(), nullptr);
    expectKeptTextsBounded(*host.plugin());
    const std::vector<std::string> shown = host.lastFrameTexts();
    EXPECT_THAT(shown, Contains("6101"));
    EXPECT_THAT(shown, Contains("6102"));
    for (const std::string& drawn : shown)
        EXPECT_LE(drawn.size(), kBoundedTextBytes);

    host.play(endedMatch(6103));
    expectCleanEnd(host, statsFile, {6101, 6102, 6103});
}

// The host hands over a playlist title of megabytes: the match is still recorded whole, and what the
// plugin keeps of it when reading it back stays bounded.
TEST(DamagedStatsFile, AMatchWithATitleOfSeveralMegabytesIsRecordedAndReadBackInPart) {
    TempFolder data;
    const fs::path statsFile = defaultStatsFile(data.path());
    const std::string title(2 * 1024 * 1024, 't');
    SteppedHost host(data.path());
    host.play(kLoadedInOnlineGame + "online title=" + title + "\n" + endedMatch(7101) +
              kOpenScoreboardAndDraw);
    ASSERT_NE(host.plugin(), nullptr);
    expectKeptTextsBounded(*host.plugin());
    host.finish();
    EXPECT_EQ(host.escapedException(), "");
    EXPECT_THAT(recordedPoints(statsFile), testing::ElementsAre(7101));
    EXPECT_NE(readFile(statsFile).find(title), std::string::npos) << "the title is written as handed over";
}

} // namespace
