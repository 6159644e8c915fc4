#include "tests/support/FaultScenario.h"
#include "tests/support/GameScenario.h"
#include "tests/support/StatsFileText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <charconv>
#include <sstream>

const std::string kStatsHeader = statsHeader();

const std::string kLoadedInOnlineGame = loadedInWonRankedDoubles(1796677509, 0, "3 1");

const std::string kOpenScoreboardAndDraw = "scoreboard open\nframe\nscoreboard close\n";

namespace {

constexpr std::size_t kPointsField = writtenPosition(StatsColumn::Points);

std::vector<std::string> splitFields(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, ','))
        fields.push_back(field);
    return fields;
}

} // namespace

std::string endedMatch(int points) {
    return "stats points=" + std::to_string(points) +
           " goals=1 assists=2 saves=3 shots=4 demos=0 mvp=0\nmatchend\nwait 6\nwait 60\n";
}

std::string statsFileWithPoints(const std::vector<int>& points) {
    std::vector<StatsRow> rows;
    std::int64_t time = 1796600000;
    for (int value : points) {
        rows.push_back(rowWithPoints(value, time));
        time += 600;
    }
    return statsFileText(rows);
}

StatsRow rowWithPoints(int points, std::int64_t time) {
    return {.time = time,
            .timestamp = "00:00:00 12/07/26",
            .points = points,
            .goals = 2,
            .assists = 1,
            .saves = 3,
            .shots = 4};
}

std::string writeStatsFileWithPoints(const std::filesystem::path& dataFolder,
                                     const std::vector<int>& points) {
    const std::string text = statsFileWithPoints(points);
    writeFile(defaultStatsFile(dataFolder), text);
    return text;
}

std::vector<int> recordedPoints(const std::filesystem::path& file) {
    std::vector<int> points;
    std::istringstream in(readFile(file));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> fields = splitFields(line);
        // The rows the plugin writes: every column, the rating after the match perhaps left empty.
        if (fields.size() < kRequiredColumnCount || fields.size() > kStatsColumnCount)
            continue;
        const std::string& text = fields[kPointsField];
        int value = 0;
        auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (problem == std::errc() && end == text.data() + text.size())
            points.push_back(value);
    }
    return points;
}

std::vector<std::string> unexpectedConsoleLines(const std::string& console) {
    static const char* const kExpected[] = {
        "--- > Tallyglass V1.1 Plugin loaded! < ---",
        "Tallyglass: could not write the match result to ",
        "Tallyglass: the match results that were waiting have been written to ",
        "Tallyglass: the first line of ",
    };
    std::vector<std::string> unexpected;
    std::istringstream in(console);
    for (std::string line; std::getline(in, line);) {
        bool known = false;
        for (const char* prefix : kExpected)
            known = known || line.rfind(prefix, 0) == 0;
        if (!known)
            unexpected.push_back(line);
    }
    return unexpected;
}

void expectCleanEnd(SteppedHost& host, const std::filesystem::path& statsFile,
                    const std::vector<int>& points) {
    host.finish();
    EXPECT_EQ(host.escapedException(), "");
    EXPECT_THAT(recordedPoints(statsFile), testing::ElementsAreArray(points));
    EXPECT_THAT(unexpectedConsoleLines(host.console()), testing::IsEmpty());
}

std::vector<std::string> drawnTexts(const std::vector<std::string>& frameLines) {
    std::vector<std::string> texts;
    const std::string prefix = "DrawString \"";
    for (const std::string& line : frameLines) {
        if (line.rfind(prefix, 0) != 0)
            continue;
        std::string text;
        for (std::size_t i = prefix.size(); i < line.size() && line[i] != '"'; ++i) {
            if (line[i] == '\\' && i + 1 < line.size())
                ++i;
            text += line[i];
        }
        texts.push_back(text);
    }
    return texts;
}
