// The page in a real browser: Debian's headless Chromium opens it from a file, with the network off, and
// the test reads the document as the page's script left it. The page marks itself drawn once every chart
// has rendered and writes any script error into the document.
#include "bench/MatchHistoryGenerator.h"
#include "report/ReportProgram.h"
#include "tests/support/DevToolsBrowser.h"
#include "tests/support/HostsimRun.h"
#include "tests/support/StatsFileText.h"
#include "tests/support/TestText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

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
        browser_ = findChromium();
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
    // The name column runs up to the heading of the first figure's column, which is right-aligned.
    for (std::string line; std::getline(console, line);) {
        if (line.starts_with("Playlist")) {
            const std::size_t figures = line.find("Matches");
            ASSERT_NE(figures, std::string::npos) << line;
            for (std::string row; std::getline(console, row) && !row.empty();) {
                const std::size_t firstFigure =
                    row.find_first_not_of(' ', row.find_last_not_of(' ', figures) + 1);
                std::vector<std::string> cells{row.substr(0, row.find_last_not_of(' ', firstFigure - 1) + 1)};
                for (const std::string& word : words(row.substr(firstFigure)))
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
        ASSERT_EQ(shown.size(), 7u) << console_;
        ASSERT_GE(page.size(), 8u);
        const auto dash = [](const std::string& cell) -> std::string {
            return cell == "-" ? "\xE2\x80\x93" : cell;
        };
        EXPECT_TRUE(page[0].starts_with(shown[0])) << page[0] << " / " << shown[0];
        EXPECT_EQ(page[1], shown[1]);                                                  // matches
        EXPECT_EQ(page[2], shown[2].substr(0, shown[2].find('-')) + " \xE2\x80\x93 " + // W - L
                               shown[2].substr(shown[2].find('-') + 1));
        EXPECT_EQ(page[3], shown[3]);       // win rate
        EXPECT_EQ(page[4], dash(shown[4])); // rating
        EXPECT_EQ(page[5], dash(shown[5])); // peak
        EXPECT_EQ(page[7], dash(shown[6])); // streak
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

// The period switch, clicked in the page: the tiles and the playlist table show the JSON's figures of
// the period, the address keeps it beside the chart's switch, and an address holding both opens so.
TEST_F(ReportInBrowser, ThePeriodSwitchShowsThePeriodsFiguresAndStaysInTheAddress) {
    constexpr std::int64_t now = 1796600000;
    constexpr std::int64_t day = 86400;
    std::vector<StatsRow> rows;
    const auto add = [&](const std::string& playlist, std::int64_t time, bool win, int rating) {
        StatsRow row;
        row.playlist = playlist;
        row.time = time;
        row.win = win;
        row.mmr = rating;
        rows.push_back(row);
    };
    for (int at = 0; at < 30; ++at) // a month, a hundred days back
        add("Ranked Doubles", now - 100 * day + at * 3000, at % 3 != 0, 1000 + at);
    add("Ranked Doubles", now - 30 * day, true, 1040); // exactly 30 days back: before the period
    add("Ranked Doubles", now - 20 * day, false, 1050);
    add("Ranked Doubles", now - 20 * day + 600, false, 1041);
    add("Ranked Duel", now - 10 * day, true, 800);
    add("Ranked Duel", now - 2 * day, true, 812);
    add("Ranked Doubles", now - 2 * day + 600, true, 1032);
    writeFile(folder_ / "stats.csv", statsFileText(rows));
    writeFile(folder_ / "bands.csv",
              "Playlist,Band,From\nRanked Doubles,Gold,900\nRanked Doubles,Platinum,1100\n");
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(runReport({pathToUtf8(folder_ / "stats.csv"), "--now", std::to_string(now), "--bands",
                         pathToUtf8(folder_ / "bands.csv"), "--json", pathToUtf8(folder_ / "stats.json")},
                        out, err),
              0)
        << err.str();
    const nlohmann::json json = nlohmann::json::parse(readFile(folder_ / "stats.json"));
    const nlohmann::json& month = json["periods"][1];
    ASSERT_EQ(month["days"], 30);
    ASSERT_EQ(month["matches"], 5);

    std::filesystem::create_directory(folder_ / "devtools");
    DevToolsBrowser browser(*browser_, folder_ / "devtools");
    const std::string url = "file://" + pathToUtf8(folder_ / "stats.html");
    const std::string page = browser.open(url, 1400, 1200);
    ASSERT_TRUE(browser.until(page, "document.documentElement.getAttribute('data-drawn') === 'yes'",
                              std::chrono::seconds(30)));
    // The tiles' values but the span's, whose calendar days depend on the time zone.
    const auto tileValues = [&] {
        return browser.evaluate(page, "Array.from(document.querySelectorAll('#tiles .tile .value'))"
                                      ".filter(function (v, at) { return at !== 3; })"
                                      ".map(function (v) { return v.textContent; }).join('|')");
    };
    EXPECT_EQ(tileValues(), "36|24\u2009\u2013\u200912|66.7%|1,032|812");
    browser.evaluate(page, "document.querySelector('.period-switch button[data-days=\"30\"]').click()");
    ASSERT_TRUE(browser.until(page, "document.documentElement.getAttribute('data-days') === '30'",
                              std::chrono::seconds(10)));
    ASSERT_TRUE(browser.until(page, "document.documentElement.getAttribute('data-drawn') === 'yes'",
                              std::chrono::seconds(30)));
    // The tiles: the period's matches, wins and losses and win rate, and each rating's change in it.
    const std::string wins = std::to_string(month["wins"].get<int>());
    const std::string losses = std::to_string(month["losses"].get<int>());
    EXPECT_EQ(tileValues(), std::to_string(month["matches"].get<int>()) + "|" + wins + "\u2009\u2013\u2009" +
                                losses + "|60.0%|1,032|812");
    EXPECT_EQ(month["winRate"], 0.6);
    const nlohmann::json details = browser.evaluate(
        page, "Array.from(document.querySelectorAll('#tiles .tile.rating')).map(function (t) { return "
              "Array.from(t.querySelectorAll('.detail')).map(function (d) { return d.textContent; "
              "}).join('/'); })");
    ASSERT_EQ(details.size(), 2u) << details;
    const nlohmann::json& doubles = month["playlists"][0];
    ASSERT_EQ(doubles["name"], "Ranked Doubles");
    // From the rating after the match exactly 30 days back, which the next match tells.
    EXPECT_EQ(doubles["ratingChange"], 1032 - 1050);
    EXPECT_EQ(doubles["peakRating"], 1050);
    EXPECT_EQ(details[0], "30 d \u221218/peak 1,050/Gold \u00b7 68 to go/before the last match");
    EXPECT_EQ(details[1], "30 d +12/peak 812/before the last match");
    // The playlist table: the period's playlists with their figures.
    const nlohmann::json table = browser.evaluate(
        page, "Array.from(document.querySelectorAll('#playlists tbody tr')).map(function (r) { return "
              "Array.from(r.cells).map(function (c) { return c.textContent; }).join('|'); })");
    ASSERT_EQ(table.size(), 2u) << table;
    EXPECT_TRUE(contains(table[0].get<std::string>(),
                         "Ranked Doublesranked|3|1 \u2013 2|33.3%|1,032*|\u221218|1,050|Gold68 to go|"))
        << table[0];
    EXPECT_EQ(browser.evaluate(page, "document.querySelector('#playlists td.band').title"),
              "Gold \u00b7 68 to Platinum");
    EXPECT_TRUE(
        contains(table[1].get<std::string>(), "Ranked Duelranked|2|2 \u2013 0|100.0%|812*|+12|812|\u2013|"))
        << table[1];
    EXPECT_TRUE(contains(browser.evaluate(page, "location.hash").get<std::string>(), "days=30"));
    EXPECT_EQ(browser.evaluate(page, "document.documentElement.getAttribute('data-script-errors')"),
              nlohmann::json())
        << browser.evaluate(page, "(document.getElementById('script-errors') || {}).textContent");

    // Both switches in one address.
    const std::string week = browser.open(url + "#by-date&days=7", 1400, 1200);
    ASSERT_TRUE(browser.until(week, "document.documentElement.getAttribute('data-drawn') === 'yes'",
                              std::chrono::seconds(30)));
    EXPECT_EQ(browser.evaluate(week, "document.documentElement.getAttribute('data-days')"), "7");
    EXPECT_EQ(browser.evaluate(week, "document.documentElement.getAttribute('data-axis')"), "date");
    EXPECT_EQ(browser.evaluate(week, "document.querySelector('#tiles .tile .value').textContent"),
              std::to_string(json["periods"][0]["matches"].get<int>()));
    browser.evaluate(week, "document.querySelector('.axis-switch button[data-axis=\"match\"]').click()");
    ASSERT_TRUE(browser.until(week, "document.documentElement.getAttribute('data-axis') === 'match'",
                              std::chrono::seconds(10)));
    EXPECT_EQ(browser.evaluate(week, "location.hash"), "#by-match&days=7");
    browser.evaluate(week, "document.querySelector('.period-switch button[data-days=\"\"]').click()");
    EXPECT_EQ(browser.evaluate(week, "location.hash"), "#by-match");
    EXPECT_EQ(browser.evaluate(week, "document.querySelector('#tiles .tile .value').textContent"), "36");
}

// The index of a folder's accounts: a row each, the newest played first, its player id linking to its
// page (a name holding "#" or "&" too), each rated playlist's current and peak rating.
TEST_F(ReportInBrowser, TheIndexOfAFoldersAccountsLinksToEachPage) {
    StatsRow older;
    older.time = 1796000000;
    older.mmr = 1000;
    older.mmrAfter = 1012;
    StatsRow newer = older;
    newer.time = 1796500000;
    newer.playlist = "Ranked Duel";
    newer.mmr = 800;
    newer.mmrAfter = 790;
    writeFile(folder_ / "76561198000000001_Tallyglass.csv", statsFileText({older}));
    writeFile(folder_ / "Epic#a&b_Tallyglass.csv", statsFileText({older, newer}));
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(runReport({pathToUtf8(folder_.path()), "--now", "1796600000"}, out, err), 0) << err.str();
    const std::string document = renderedDocument(*browser_, folder_ / "Tallyglass.html", folder_);
    const std::string root = rootElement(document);
    EXPECT_NE(root.find("data-drawn=\"yes\""), std::string::npos) << root;
    EXPECT_EQ(root.find("data-script-errors"), std::string::npos)
        << document.substr(document.find("script-errors"), 2000);
    const std::vector<std::vector<std::string>> rows = tableRows(document, "accounts");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(rows[0][0].starts_with("Epic#a&b")) << rows[0][0];
    EXPECT_EQ(rows[0][1], "2");
    EXPECT_EQ(rows[0][2], "2 \xE2\x80\x93 0");
    EXPECT_TRUE(contains(rows[0][5], "Ranked Doubles 1,012 peak 1,012")) << rows[0][5];
    EXPECT_TRUE(contains(rows[0][5], "Ranked Duel 790 peak 800")) << rows[0][5];
    EXPECT_TRUE(rows[1][0].starts_with("76561198000000001")) << rows[1][0];
    EXPECT_TRUE(contains(document, "href=\"Epic%23a%26b_Tallyglass.html\"")) << document;
    EXPECT_TRUE(contains(document, "href=\"76561198000000001_Tallyglass.html\""));
    EXPECT_TRUE(std::filesystem::exists(folder_ / "Epic#a&b_Tallyglass.html"));
}

// The tables and legends stay inside their cards at the widths people use, with bands and a long title.
TEST_F(ReportInBrowser, TablesAndLegendsStayInsideTheirCardsFrom1280Pixels) {
    std::vector<StatsRow> rows;
    const std::string longTitle = "Ranked Doubles: the Saturday Night Cup of the Week";
    for (const std::string& playlist : {std::string("Ranked Duel"), std::string("Ranked Doubles"), longTitle})
        for (int at = 0; at < 4; ++at) {
            StatsRow row;
            row.playlist = playlist;
            row.time = 1796500000 + static_cast<std::int64_t>(rows.size()) * 900;
            row.win = at % 2 == 0;
            row.mmr = 1290 + at;
            row.mmrAfter = 1291 + at;
            rows.push_back(row);
        }
    writeFile(folder_ / "stats.csv", statsFileText(rows));
    std::string bands = "Playlist,Band,From\n";
    for (const std::string& playlist : {std::string("Ranked Duel"), std::string("Ranked Doubles"), longTitle})
        bands += "\"" + playlist + "\",Platinum III,1200\n\"" + playlist + "\",Diamond I,1400\n";
    writeFile(folder_ / "bands.csv", bands);
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(runReport({pathToUtf8(folder_ / "stats.csv"), "--now", "1796600000", "--bands",
                         pathToUtf8(folder_ / "bands.csv")},
                        out, err),
              0)
        << err.str();
    std::filesystem::create_directory(folder_ / "devtools");
    DevToolsBrowser browser(*browser_, folder_ / "devtools");
    for (const int width : {1280, 1366, 1920}) {
        const std::string page = browser.open("file://" + pathToUtf8(folder_ / "stats.html"), width, 1000);
        ASSERT_TRUE(browser.until(page, "document.documentElement.getAttribute('data-drawn') === 'yes'",
                                  std::chrono::seconds(30)));
        const nlohmann::json overflowing =
            browser.evaluate(page, "Array.from(document.querySelectorAll('.table-wrap, .chart-legend'))"
                                   ".filter(function (n) { return n.scrollWidth > n.clientWidth; })"
                                   ".map(function (n) { return (n.id || n.firstElementChild.id) + ' ' + "
                                   "n.scrollWidth + '/' + n.clientWidth; })");
        EXPECT_EQ(overflowing, nlohmann::json::array()) << width << " px";
        EXPECT_GT(browser.evaluate(page, "document.querySelectorAll('#playlists td.band').length"), 0);
    }
}

} // namespace
