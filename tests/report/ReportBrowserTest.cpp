// The page in a real browser: Debian's headless Chromium opens it from a file, with the network off, and
// the test reads the document as the page's script left it. The page marks itself drawn once every chart
// has rendered and writes any script error into the document.
#include "bench/MatchHistoryGenerator.h"
#include "report/ReportProgram.h"
#include "tests/support/HostsimRun.h"
#include "tests/support/StatsFileText.h"
#include "tests/support/TestText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// TALLYGLASS_CHROMIUM names the browser; else the first of Debian's headless Chromium programs found.
std::optional<std::filesystem::path> chromium() {
    if (const char* named = std::getenv("TALLYGLASS_CHROMIUM"))
        return std::filesystem::path(named);
    for (const char* candidate :
         {"/usr/bin/chromium-headless-shell", "/usr/bin/chromium", "/usr/bin/chromium-browser"})
        if (std::filesystem::exists(candidate))
            return std::filesystem::path(candidate);
    return std::nullopt;
}

// The document after the page's scripts ran, as Chromium dumps it.
std::string renderedDocument(const std::filesystem::path& browser, const std::filesystem::path& page,
                             const TempFolder& folder, const std::string& fragment = "") {
    std::filesystem::create_directory(folder / "profile");
    // Starts from a std::string: GCC 12 at -O3 reports a false -Wrestrict overlap for "'" + std::string.
    const std::string command = std::string("'") + pathToUtf8(browser) +
                                "' --headless --no-sandbox --disable-gpu --no-first-run --disable-extensions"
                                " --disable-background-networking --disable-component-update --disable-sync"
                                " --disable-default-apps --no-default-browser-check --metrics-recording-only"
                                " --proxy-server=127.0.0.1:9 --host-resolver-rules='MAP * ~NOTFOUND'"
                                " --user-data-dir='" +
                                pathToUtf8(folder / "profile") +
                                "' --virtual-time-budget=20000 --dump-dom 'file://" + pathToUtf8(page) +
                                fragment + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return {};
    std::string document;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        document.append(buffer, got);
    pclose(pipe);
    return document;
}

std::string rootElement(const std::string& document) {
    const std::size_t start = document.find("<html");
    return start == std::string::npos ? std::string()
                                      : document.substr(start, document.find('>', start) - start + 1);
}

// The text of an element's markup: tags dropped, the entities Chromium writes decoded.
std::string textOf(std::string markup) {
    std::string text;
    bool inTag = false;
    for (const char c : markup) {
        if (c == '<')
            inTag = true;
        else if (c == '>')
            inTag = false;
        else if (!inTag)
            text += c;
    }
    for (const auto& [entity, character] : std::vector<std::pair<std::string, std::string>>{
             {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", "\xC2\xA0"}, {"&amp;", "&"}}) {
        for (std::size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
            text.replace(at, entity.size(), character);
    }
    return text;
}

// The text of each cell of each body row of the table with this id.
std::vector<std::vector<std::string>> tableRows(const std::string& document, const std::string& id) {
    std::vector<std::vector<std::string>> rows;
    const std::size_t table = document.find("<table id=\"" + id + "\"");
    const std::size_t body = document.find("<tbody>", table);
    const std::size_t end = document.find("</tbody>", body);
    if (table == std::string::npos || body == std::string::npos || end == std::string::npos)
        return rows;
    for (std::size_t row = document.find("<tr", body); row < end; row = document.find("<tr", row + 1)) {
        const std::size_t rowEnd = document.find("</tr>", row);
        rows.emplace_back();
        for (std::size_t cell = document.find("<td", row); cell < rowEnd;
             cell = document.find("<td", cell + 1)) {
            const std::size_t open = document.find('>', cell) + 1;
            rows.back().push_back(textOf(document.substr(open, document.find("</td>", open) - open)));
        }
    }
    return rows;
}

// The text of the first element with this id.
std::string elementText(const std::string& document, const std::string& id) {
    const std::size_t at = document.find("id=\"" + id + "\"");
    if (at == std::string::npos)
        return {};
    const std::size_t open = document.find('>', at) + 1;
    const std::size_t tagStart = document.rfind('<', at);
    const std::string tag =
        document.substr(tagStart + 1, document.find_first_of(" >", tagStart) - tagStart - 1);
    return textOf(document.substr(open, document.find("</" + tag + ">", open) - open));
}

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> split;
    std::istringstream in(text);
    for (std::string word; in >> word;)
        split.push_back(word);
    return split;
}

class ReportInBrowser : public ::testing::Test {
protected:
    void SetUp() override {
        browser_ = chromium();
        if (!browser_)
            GTEST_SKIP()
                << "no headless Chromium here (apt-get install chromium); .ci/packages.sh installs it";
    }

    std::string render(const std::string& statsText, const std::string& fragment = "") {
        writeFile(folder_ / "stats.csv", statsText);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(runReport({pathToUtf8(folder_ / "stats.csv"), "--now", "1796600000"}, out, err), 0)
            << err.str();
        console_ = out.str();
        return renderedDocument(*browser_, folder_ / "stats.html", folder_, fragment);
    }

    std::optional<std::filesystem::path> browser_;
    std::string console_; // what the last render's report printed
    TempFolder folder_;
};

TEST_F(ReportInBrowser, TitlesFromTheFileShowAsTextAndRunNothing) {
    const std::string imageTitle =
        "<img src=x onerror=\"document.documentElement.setAttribute('data-ran','image')\">";
    const std::string scriptTitle =
        "</script><script>document.documentElement.setAttribute('data-ran','script')</script><!--";
    std::vector<StatsRow> rows;
    for (int at = 0; at < 12; ++at) {
        StatsRow row;
        row.playlist = at % 3 == 0 ? imageTitle : at % 3 == 1 ? scriptTitle : "Ranked, Doubles";
        row.time = 1796000000 + at * 600 + (at >= 6 ? 7200 : 0);
        row.win = at % 2 == 0;
        row.mmr = 1000 + at;
        rows.push_back(row);
    }
    std::string text = statsFileText(rows);
    text += "1,0,2,1183,1,3,1,x,486,1,1,4,<b onmouseover=alert(1)>,x,1\n";
    const std::string document = render(text);
    ASSERT_FALSE(document.empty()) << "Chromium printed no document";
    const std::string root = rootElement(document);
    EXPECT_NE(root.find("data-drawn=\"yes\""), std::string::npos) << root;
    EXPECT_EQ(root.find("data-script-errors"), std::string::npos)
        << document.substr(document.find("script-errors"), 2000);
    EXPECT_EQ(root.find("data-ran"), std::string::npos) << root;
    // Shown as text: in the tiles, the tables and the chart legend.
    EXPECT_NE(document.find("&lt;img src=x onerror=\"document.documentElement"), std::string::npos);
    EXPECT_NE(document.find("&lt;/script&gt;&lt;script&gt;"), std::string::npos);
    EXPECT_EQ(document.find("<img src=x"), std::string::npos);
    EXPECT_NE(document.find("Ranked, Doubles"), std::string::npos);
    EXPECT_NE(document.find("1 line was not read"), std::string::npos);
}

TEST_F(ReportInBrowser, ALongHistoryDrawsItsReducedSeries) {
    std::ostringstream history;
    MatchHistoryShape shape;
    shape.matches = 30000;
    shape.days = 900;
    writeMatchHistory(history, shape);
    const std::string document = render(history.str());
    const std::string root = rootElement(document);
    EXPECT_NE(root.find("data-drawn=\"yes\""), std::string::npos) << root;
    EXPECT_EQ(root.find("data-script-errors"), std::string::npos)
        << document.substr(document.find("script-errors"), 2000);
    EXPECT_NE(document.find("is drawn as its first and last rating"), std::string::npos);
}

TEST_F(ReportInBrowser, AFileWithoutMatchesStillMakesAWholePage) {
    const std::string document = render(statsHeader() + "\n");
    const std::string root = rootElement(document);
    EXPECT_NE(root.find("data-drawn=\"yes\""), std::string::npos) << root;
    EXPECT_EQ(root.find("data-script-errors"), std::string::npos)
        << document.substr(document.find("script-errors"), 2000);
    EXPECT_NE(document.find("No match in the file carries a rating yet."), std::string::npos);
}

TEST_F(ReportInBrowser, ThePageShowsEveryFigureOfTheConsoleAsTheConsoleWritesIt) {
    // A year with ratings over a thousand, then a playlist of one win in sixteen (6.25%: a tie), then
    // a match earlier than the rest, and a damaged line.
    std::ostringstream history;
    MatchHistoryShape shape;
    shape.end = 1796500000;
    writeMatchHistory(history, shape);
    std::string text = history.str();
    std::vector<StatsRow> tie;
    for (int at = 0; at < 16; ++at) {
        StatsRow row;
        row.playlist = "Tie Cup";
        row.time = 1796520000 + at * 600;
        row.win = at == 7;
        row.mmr = 0;
        tie.push_back(row);
    }
    StatsRow early;
    early.time = 1790000000;
    text += statsFileText(tie).substr(statsHeader().size() + 1) + statsRowLine(early) + "\n" + "damage\n";
    const std::string document = render(text);
    ASSERT_NE(rootElement(document).find("data-drawn=\"yes\""), std::string::npos) << rootElement(document);

    // The console's table: the name in its column, then matches, W-L, win rate, rating, streak.
    std::istringstream console(console_);
    std::vector<std::vector<std::string>> consoleRows;
    std::string firstLine;
    std::getline(console, firstLine);
    std::getline(console, firstLine); // after "Report: ..." and the blank line
    std::getline(console, firstLine);
    for (std::string line; std::getline(console, line);) {
        if (line.starts_with("Playlist")) {
            for (std::string row; std::getline(console, row) && !row.empty();) {
                std::vector<std::string> cells{row.substr(0, 28)};
                cells[0].erase(cells[0].find_last_not_of(' ') + 1);
                for (const std::string& word : words(row.substr(28)))
                    cells.push_back(word);
                consoleRows.push_back(cells);
            }
        }
    }
    const std::vector<std::vector<std::string>> pageRows = tableRows(document, "playlists");
    ASSERT_EQ(consoleRows.size(), 7u) << console_;
    ASSERT_EQ(pageRows.size(), consoleRows.size());
    bool sawTie = false;
    for (std::size_t at = 0; at < consoleRows.size(); ++at) {
        const std::vector<std::string>& shown = consoleRows[at];
        const std::vector<std::string>& page = pageRows[at];
        ASSERT_EQ(shown.size(), 6u) << console_;
        ASSERT_GE(page.size(), 7u);
        EXPECT_TRUE(page[0].starts_with(shown[0])) << page[0] << " / " << shown[0];
        EXPECT_EQ(page[1], shown[1]);                                                  // matches
        EXPECT_EQ(page[2], shown[2].substr(0, shown[2].find('-')) + " \xE2\x80\x93 " + // W - L
                               shown[2].substr(shown[2].find('-') + 1));
        EXPECT_EQ(page[3], shown[3]);                                    // win rate
        EXPECT_EQ(page[4], shown[4] == "-" ? "\xE2\x80\x93" : shown[4]); // rating
        EXPECT_EQ(page[6], shown[5] == "-" ? "\xE2\x80\x93" : shown[5]); // streak
        sawTie = sawTie || (shown[0] == "Tie Cup" && shown[3] == "6.3%");
    }
    EXPECT_TRUE(sawTie) << console_;
    EXPECT_TRUE(contains(consoleRows[0][4], ",")) << "a rating over a thousand, grouped";

    // The headline: "2,517 matches, 1,280 wins - 1,237 losses (50.9%), 367 sessions".
    const std::vector<std::string> head = words(firstLine);
    ASSERT_EQ(head.size(), 10u) << firstLine;
    const std::string tiles = elementText(document, "tiles");
    EXPECT_TRUE(contains(tiles, "Matches" + head[0] + head[8] + " sessions")) << tiles;
    EXPECT_TRUE(contains(tiles, head[2] + "\xE2\x80\x89\xE2\x80\x93\xE2\x80\x89" + head[5])) << tiles;
    EXPECT_TRUE(contains(tiles, "Win rate" + head[7].substr(1, head[7].size() - 3))) << tiles;
    // The lines' order and the damaged line, in the console's words.
    const std::string order = elementText(document, "order-note");
    EXPECT_TRUE(contains(order, "1 match is out of place")) << order;
    EXPECT_TRUE(contains(console_, order)) << order << "\n" << console_;
    EXPECT_TRUE(contains(console_, "1 line was not read as a match"));
    EXPECT_TRUE(contains(elementText(document, "skipped-note"), "1 line was not read as a match"));
}

TEST_F(ReportInBrowser, AShortHistoryIsDrawnByMatchWithItsSessionsApart) {
    // Three evenings: six matches, five, one. A rating chart by date would squeeze each into a dot.
    std::vector<StatsRow> rows;
    const std::int64_t evenings[] = {1796300000, 1796400000, 1796500000};
    for (int at = 0; at < 12; ++at) {
        StatsRow row;
        row.playlist = at % 4 == 3 ? "Ranked Duel" : "Ranked Doubles";
        row.time = evenings[at < 6 ? 0 : at < 11 ? 1 : 2] + at * 480;
        row.mmr = 1000 + at * 5;
        row.win = at % 3 != 0;
        rows.push_back(row);
    }
    const std::string document = render(statsFileText(rows));
    const std::string root = rootElement(document);
    EXPECT_NE(root.find("data-drawn=\"yes\""), std::string::npos) << root;
    EXPECT_NE(root.find("data-axis=\"match\""), std::string::npos) << root;
    EXPECT_EQ(root.find("data-script-errors"), std::string::npos)
        << document.substr(document.find("script-errors"), 2000);
    EXPECT_TRUE(contains(document, "aria-pressed=\"true\">By match</button>"));
    // The lines break after the sixth and the eleventh match.
    EXPECT_TRUE(contains(document, "id=\"rating-chart\" data-session-breaks=\"2\""));
    EXPECT_TRUE(contains(elementText(document, "form-hint"),
                         "average of all matches up to it (12 matches in all; "
                         "the window is the last 20 once there are that many)"));
    EXPECT_TRUE(contains(elementText(document, "tiles"), "Matches123 sessions"));
    EXPECT_TRUE(contains(elementText(document, "tiles"), "3 days"));

    // By date too, and a history of one match.
    const std::string byDate = render(statsFileText(rows), "#by-date");
    EXPECT_NE(rootElement(byDate).find("data-axis=\"date\""), std::string::npos) << rootElement(byDate);
    EXPECT_EQ(rootElement(byDate).find("data-script-errors"), std::string::npos);
    const std::string one = render(statsFileText({rows[1]}));
    EXPECT_NE(rootElement(one).find("data-drawn=\"yes\""), std::string::npos) << rootElement(one);
    EXPECT_EQ(rootElement(one).find("data-script-errors"), std::string::npos)
        << one.substr(one.find("script-errors"), 2000);
    EXPECT_TRUE(contains(elementText(one, "tiles"), "Matches11 session"));
    EXPECT_TRUE(contains(elementText(one, "tiles"), "best run 1 win"));
}

} // namespace
