// The pages at the sizes they are shown at, in Debian's headless Chromium, by the rectangles of their
// elements: the overlay's figures whole inside a browser source of 900 x 120 whatever the title (which
// gives way, cut short with an ellipsis), with the band's line and without; live.html's tables and chart
// legends inside their cards from 1280 to 1920 px wide, for the longest titles.
#include "tests/live/LiveTestSupport.h"
#include "tests/live/PagesInBrowser.h"
#include "tests/support/DevToolsBrowser.h"
#include "tests/support/StatsFileText.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using Json = nlohmann::json;

namespace {

const std::string kLongTitle =
    "Tournament Rumble Heatseeker Snow Day Dropshot Hoops Extra Long Playlist Title Of The Evening";

// A long evening in one playlist: 12 wins, 10 matches won and lost by turns, 12 wins; 9 points a win and
// 1 lost a loss, so the figures are as wide as an evening makes them: 29-5, W12, 1956 and +256.
std::vector<StatsRow> longEvening(std::int64_t now, const std::string& title) {
    std::vector<StatsRow> rows;
    std::int32_t rating = 1700;
    for (int at = 0; at < 34; ++at) {
        StatsRow row;
        row.playlist = title;
        row.time = now - 5000 + at * 120;
        row.win = at < 12 || at >= 22 || at % 2 == 0;
        row.mmr = rating;
        rating += row.win ? 9 : -1;
        row.mmrAfter = rating;
        row.points = 1250;
        row.goals = 12;
        row.shots = 15;
        rows.push_back(row);
    }
    return rows;
}

// The ids or classes of the nodes `selector` finds, hidden ones aside, that are not drawn whole inside
// `right` x `bottom` (outside it, or wider than their own box, so cut at its edge).
std::string cutNodes(const std::string& selector, int right, int bottom) {
    return "Array.from(document.querySelectorAll('" + selector +
           "')).filter(function (node) { return !node.closest('[hidden]'); })"
           ".filter(function (node) { var box = node.getBoundingClientRect();"
           "  return box.width === 0 || box.left < 0 || box.top < 0 || box.right > " +
           std::to_string(right) + " || box.bottom > " + std::to_string(bottom) +
           "    || node.scrollWidth > node.clientWidth + 1; })"
           ".map(function (node) { return node.id || node.className; })";
}

class PageFit : public PagesInBrowser {
protected:
    // The view of `rows` written once into the folder "view", with `extra` options.
    fs::path writeView(const std::vector<StatsRow>& rows, std::int64_t now,
                       const std::vector<std::string>& extra = {}) {
        writeFile(folder_ / "stats.csv", statsFileText(rows));
        const fs::path out = folder_ / "view";
        std::vector<std::string> arguments{pathToUtf8(folder_ / "stats.csv"), "--once", "--out",
                                           pathToUtf8(out)};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        const LiveResult run = runLiveOnce(arguments, now);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return out;
    }

    // `page` opened at `width` x `height` once it shows `matches` matches and its figures are at rest.
    std::string openDrawn(DevToolsBrowser& browser, const fs::path& page, int width, int height,
                          int matches) {
        const std::string session = browser.open("file://" + pathToUtf8(page), width, height);
        EXPECT_TRUE(browser.until(session,
                                  "document.documentElement.getAttribute('data-matches') === '" +
                                      std::to_string(matches) + "' && document.getAnimations().length === 0",
                                  std::chrono::seconds(20)));
        EXPECT_EQ(browser.evaluate(session, "document.documentElement.getAttribute('data-script-errors')"),
                  Json());
        return session;
    }
};

TEST_F(PageFit, TheOverlaysFiguresStayWholeInside900By120AndTheLongTitleGivesWay) {
    const std::int64_t now = systemClock();
    const std::vector<StatsRow> rows = longEvening(now, kLongTitle);
    writeFile(folder_ / "bands.csv", "Playlist,Band,From\n" + kLongTitle + ",Grand Champion III,1500\n" +
                                         kLongTitle + ",Supersonic Legend,3100\n");
    const fs::path plain = writeView(rows, now);
    DevToolsBrowser browser(*program_, folder_ / "profile");
    const std::string figures = "#strip .value, #rating, #change, #band";
    for (const bool withBand : {false, true}) {
        SCOPED_TRACE(withBand ? "with the band" : "without the band");
        const fs::path out =
            withBand ? writeView(rows, now, {"--bands", pathToUtf8(folder_ / "bands.csv")}) : plain;
        const std::string overlay = openDrawn(browser, out / "overlay.html", 900, 120, 34);
        EXPECT_EQ(browser.evaluate(overlay, "document.getElementById('wins').textContent + '-' + "
                                            "document.getElementById('losses').textContent + ' ' + "
                                            "document.getElementById('streak').textContent + ' ' + "
                                            "document.getElementById('rating').textContent + ' ' + "
                                            "document.getElementById('change').textContent"),
                  "29-5 W12 1956 +256");
        EXPECT_EQ(browser.evaluate(overlay, "document.getElementById('band').hidden"), !withBand);
        if (withBand) {
            EXPECT_EQ(browser.evaluate(overlay, "document.getElementById('band').textContent"),
                      "Grand Champion III \u00b7 1144 to go");
        }
        const std::string cut = cutNodes(figures, 900, 120);
        EXPECT_EQ(browser.evaluate(overlay, cut), Json::array());
        EXPECT_EQ(browser.evaluate(overlay, cutNodes("#strip .part", 900, 120)), Json::array());
        // The title gave way, not the type: cut short with an ellipsis at the strip's full size.
        EXPECT_EQ(browser.evaluate(overlay, "getComputedStyle(document.body).fontSize"), "30px");
        EXPECT_EQ(browser.evaluate(overlay,
                                   "var title = document.getElementById('playlist');"
                                   "title.scrollWidth > title.clientWidth && title.clientWidth > 0 &&"
                                   "getComputedStyle(title).textOverflow === 'ellipsis'"),
                  true);

        // A narrower source: the type gives way once even the figures alone do not fit.
        const std::string narrow = openDrawn(browser, out / "overlay.html", 420, 120, 34);
        EXPECT_EQ(browser.evaluate(narrow, cutNodes(figures, 420, 120)), Json::array());
        EXPECT_NE(browser.evaluate(narrow, "getComputedStyle(document.body).fontSize"), "30px");
    }
}

TEST_F(PageFit, AShortTitleIsShownWholeAtTheFullSize) {
    const std::int64_t now = systemClock();
    const fs::path out = writeView(longEvening(now, "Ranked Doubles"), now);
    DevToolsBrowser browser(*program_, folder_ / "profile");
    const std::string overlay = openDrawn(browser, out / "overlay.html", 900, 120, 34);
    EXPECT_EQ(browser.evaluate(overlay, cutNodes("#strip .label, #strip .value", 900, 120)), Json::array());
    EXPECT_EQ(browser.evaluate(overlay, "getComputedStyle(document.body).fontSize"), "30px");
}

// Every table and legend of live.html inside its card, and the page no wider than the window, at the
// narrowest and widest screens it is made for and one between.
TEST_F(PageFit, LiveHtmlsTablesAndLegendsStayInsideTheirCards) {
    const std::int64_t now = systemClock();
    std::vector<StatsRow> rows = longEvening(now, kLongTitle);
    // A second and third long title, each with a legend entry of its own.
    for (std::size_t at = 0; at < 6; ++at)
        rows[at].playlist = (at % 2 == 0 ? "Second " : "Third ") + kLongTitle;
    const fs::path out = writeView(rows, now);
    DevToolsBrowser browser(*program_, folder_ / "profile");
    // A table, legend or list wider than its box, or a box outside its card; a legend's entry may be cut
    // short by its ellipsis, but inside the card.
    const std::string outsideCards =
        "Array.from(document.querySelectorAll('table, .chart-legend, .chart-legend .entry, .totals, "
        ".playlist'))"
        ".filter(function (node) { var card = node.closest('.panel').getBoundingClientRect();"
        "  var box = node.getBoundingClientRect();"
        "  return box.width === 0 || box.left < card.left || box.right > card.right"
        "    || (!node.classList.contains('entry') && node.scrollWidth > node.clientWidth + 1); })"
        ".map(function (node) { return node.id || node.className || node.tagName; })";
    for (const int width : {1280, 1400, 1920}) {
        SCOPED_TRACE(width);
        const std::string page = openDrawn(browser, out / "live.html", width, 1080, 34);
        EXPECT_EQ(browser.evaluate(page, "document.querySelectorAll('#chart-legend .entry').length"), 3);
        EXPECT_EQ(browser.evaluate(page, outsideCards), Json::array());
        // Every cell of the match table inside the table: its last column is not cut.
        EXPECT_EQ(browser.evaluate(page,
                                   "var table = document.getElementById('matches').getBoundingClientRect();"
                                   "Array.from(document.querySelectorAll('#matches th, #matches td'))"
                                   ".filter(function (cell) { var box = cell.getBoundingClientRect();"
                                   "  return box.right > table.right + 0.5; }).length"),
                  0);
        EXPECT_EQ(browser.evaluate(page, "document.documentElement.scrollWidth <= window.innerWidth"), true);
    }
}

} // namespace
