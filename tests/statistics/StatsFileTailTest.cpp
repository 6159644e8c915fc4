// The block-wise reader against a plain line-by-line reading of the same bytes, on many shapes of file
// and with blocks small enough that lines, CR LF pairs and caps straddle block boundaries.
#include "statistics/StatsFileTail.h"
#include "tests/support/HostsimRun.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

struct ReferenceTail {
    std::uint64_t lineCount = 0;
    std::string header;
    std::vector<std::string> newestLines;
};

// Whether the first line end is CR alone: a run of carriage returns followed by anything but a line feed.
bool endsLinesInCarriageReturns(const std::string& content) {
    const std::size_t first = content.find_first_of("\r\n");
    if (first == std::string::npos || content[first] == '\n')
        return false;
    const std::size_t after = content.find_first_not_of('\r', first);
    return after == std::string::npos || content[after] != '\n';
}

// The obvious reading: split everything at line feeds and drop the carriage returns before each, or, in
// a file whose first line ends in CR alone, split at every CR, LF and CR LF; cut each line to `cap`.
ReferenceTail referenceTail(const std::string& content, std::size_t wanted, std::size_t cap) {
    const bool carriageReturns = endsLinesInCarriageReturns(content);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find_first_of(carriageReturns ? "\r\n" : "\n", start);
        if (end == std::string::npos)
            end = content.size();
        std::string line = content.substr(start, end - start);
        // A line cut short lost its end, carriage returns and all.
        while (line.size() <= cap && !line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line.substr(0, cap));
        start = end + (content.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    ReferenceTail tail;
    tail.lineCount = lines.size();
    if (!lines.empty())
        tail.header = lines.front();
    for (std::size_t back = 0; back < wanted && back + 1 < lines.size(); ++back)
        tail.newestLines.push_back(lines[lines.size() - 1 - back]);
    return tail;
}

void expectSameAsReference(const std::filesystem::path& file, const std::string& content, std::size_t wanted,
                           std::size_t blockBytes, std::size_t cap) {
    const StatsFileTail tail = readStatsFileTail(file, wanted, blockBytes, cap);
    const ReferenceTail expected = referenceTail(content, wanted, cap);
    SCOPED_TRACE(testing::Message() << "content \"" << content << "\" block " << blockBytes << " cap " << cap
                                    << " wanted " << wanted);
    EXPECT_EQ(tail.state, StatsFileState::read);
    EXPECT_EQ(tail.lineCount, expected.lineCount);
    EXPECT_EQ(tail.header, expected.header);
    EXPECT_EQ(tail.newestLines, expected.newestLines);
}

std::string randomContent(std::mt19937& random, std::size_t length) {
    // Line feeds and carriage returns often enough to give empty lines, lone CRs and CR LF pairs.
    static const std::string alphabet = "ab,1\n\r\n";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string content;
    for (std::size_t i = 0; i < length; ++i)
        content += alphabet[pick(random)];
    return content;
}

} // namespace

TEST(StatsFileTail, HandPickedShapesMatchALineByLineReading) {
    const TempFolder folder;
    const std::vector<std::string> shapes = {
        "",
        "\n",
        "\r\n",
        "\r",
        "header",
        "header\n",
        "header\r\n",
        "header\nrow1",
        "header\nrow1\n",
        "header\r\nrow1\r\nrow2\r\n",
        "header\n\nrow2\n\n",
        "\n\n\n\n\n\n\n\n\n\n\n\n\n",
        "h\n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12",
        "h\n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n",
        "h\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n",
        "row with \r inside\r\r\n",
        std::string(40, 'x') + "\n" + std::string(3, 'y') + "\n" + std::string(41, 'z'),
        "h\n" + std::string(39, 'q') + "\r\n" + std::string(40, 'r') + "\r\n" + std::string(41, 's') + "\r",
    };
    for (const std::string& content : shapes) {
        writeFile(folder / "stats.csv", content);
        for (std::size_t blockBytes : {1u, 2u, 3u, 5u, 16u, 4096u})
            for (std::size_t cap : {40u, 4096u})
                for (std::size_t wanted : {0u, 1u, 10u})
                    expectSameAsReference(folder / "stats.csv", content, wanted, blockBytes, cap);
    }
}

TEST(StatsFileTail, RandomShapesMatchALineByLineReading) {
    const TempFolder folder;
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::size_t> length(0, 120);
    for (int round = 0; round < 300; ++round) {
        const std::string content = randomContent(random, length(random));
        const std::size_t blockBytes = std::size_t{1} + static_cast<std::size_t>(round % 9);
        const std::size_t cap = round % 2 == 0 ? 3 : 4096;
        writeFile(folder / "stats.csv", content);
        expectSameAsReference(folder / "stats.csv", content, 10, blockBytes, cap);
        if (testing::Test::HasFailure())
            return;
    }
}

TEST(StatsFileTail, CountsAFileOfManyBlocksAndKeepsItsNewestRows) {
    const TempFolder folder;
    std::string content = "Assists,Demos,Goals\r\n";
    for (int row = 0; row < 60000; ++row)
        content +=
            std::to_string(row) + ",1,2,3,4,5,6,Ranked Doubles,400,1,2,3,1733600000,21:05:09 12/07/26,1\r\n";
    writeFile(folder / "stats.csv", content);
    expectSameAsReference(folder / "stats.csv", content, 10, kCountBlockBytes, kKeptLineBytes);
    const StatsFileTail tail = readStatsFileTail(folder / "stats.csv", 10);
    EXPECT_EQ(tail.lineCount, 60001u);
    EXPECT_EQ(tail.header, "Assists,Demos,Goals");
    ASSERT_EQ(tail.newestLines.size(), 10u);
    EXPECT_EQ(tail.newestLines.front().substr(0, 6), "59999,");
    EXPECT_EQ(tail.newestLines.back().substr(0, 6), "59990,");
}

TEST(StatsFileTail, KeepsOnlyTheBeginningOfAHugeLine) {
    const TempFolder folder;
    const std::string huge(6 * 1024 * 1024, 'w');
    for (const std::string& content : {huge + "\nrow\n", "header\n" + huge + "\n", "header\n" + huge + "\r",
                                       "header\nrow\n" + huge + "\nlast"}) {
        writeFile(folder / "stats.csv", content);
        const StatsFileTail tail = readStatsFileTail(folder / "stats.csv", 10);
        const ReferenceTail expected = referenceTail(content, 10, kKeptLineBytes);
        EXPECT_EQ(tail.lineCount, expected.lineCount);
        EXPECT_EQ(tail.header, expected.header);
        EXPECT_EQ(tail.newestLines, expected.newestLines);
        EXPECT_LE(tail.header.size(), kKeptLineBytes);
        for (const std::string& line : tail.newestLines)
            EXPECT_LE(line.size(), kKeptLineBytes);
    }
}

TEST(StatsFileTail, CrLfAndLfFilesGiveTheSameLines) {
    const TempFolder folder;
    writeFile(folder / "lf.csv", "h\nA,1\n\nB,2\nC,3");
    writeFile(folder / "crlf.csv", "h\r\nA,1\r\n\r\nB,2\r\nC,3");
    const StatsFileTail lf = readStatsFileTail(folder / "lf.csv", 10, 2);
    const StatsFileTail crlf = readStatsFileTail(folder / "crlf.csv", 10, 2);
    EXPECT_EQ(lf.lineCount, 5u);
    EXPECT_EQ(crlf.lineCount, lf.lineCount);
    EXPECT_EQ(crlf.header, "h");
    EXPECT_EQ(crlf.newestLines, (std::vector<std::string>{"C,3", "B,2", "", "A,1"}));
    EXPECT_EQ(crlf.newestLines, lf.newestLines);
}

TEST(StatsFileTail, TellsAnAbsentFileFromOneThatCannotBeRead) {
    const TempFolder folder;
    EXPECT_EQ(readStatsFileTail(folder / "missing.csv", 10).state, StatsFileState::absent);
    EXPECT_EQ(readStatsFileTail(folder / "no folder" / "missing.csv", 10).state, StatsFileState::absent);

    // A folder where the file should be exists but holds no lines to read.
    std::filesystem::create_directory(folder / "taken.csv");
    const StatsFileTail taken = readStatsFileTail(folder / "taken.csv", 10);
    EXPECT_EQ(taken.state, StatsFileState::unreadable);
    EXPECT_TRUE(taken.newestLines.empty());
}

#if !defined(_WIN32)
TEST(StatsFileTail, ADeviceInPlaceOfTheFileIsNotReadForever) {
    const TempFolder folder;
    std::filesystem::create_symlink("/dev/zero", folder / "endless.csv");
    EXPECT_EQ(readStatsFileTail(folder / "endless.csv", 10).state, StatsFileState::unreadable);
}
#endif

TEST(StatsFileTail, ReadsAPathThatIsNotPlainAscii) {
    const TempFolder folder;
    const std::filesystem::path file =
        folder.path() / std::filesystem::path(u8"Spieler \u00e4\u00f6\u00fc \u6570.csv");
    writeFile(file, "h\nrow\n");
    const StatsFileTail tail = readStatsFileTail(file, 10);
    EXPECT_EQ(tail.state, StatsFileState::read);
    EXPECT_EQ(tail.lineCount, 2u);
    EXPECT_EQ(tail.newestLines, std::vector<std::string>{"row"});
}
