// The pages in a real browser while the program runs: Debian's headless Chromium opens them from disk,
// and the test reads them through Chromium's DevTools protocol (tests/support/DevToolsBrowser.h): a
// match is appended, the page shows it without reloading, no script fails, a hostile title stays text,
// and the overlay is transparent around its strip, as its pixels show.
#include "tests/live/LiveTestSupport.h"
#include "tests/live/PagesInBrowser.h"
#include "tests/support/DevToolsBrowser.h"
#include "tests/support/StatsFileText.h"

#include <gtest/gtest.h>

#include <stb_image.h>

#include <fstream>

namespace fs = std::filesystem;
using Json = nlohmann::json;

namespace {

using LiveInBrowser = PagesInBrowser;

TEST_F(LiveInBrowser, ThePageShowsANewMatchWithoutReloadingAndTitlesAsText) {
    const std::string hostile =
        "<img src=x onerror=\"document.documentElement.setAttribute('data-ran','1')\">";
    const std::int64_t now = systemClock();
    writeFile(folder_ / "stats.csv", statsFileText({ratedRow("Ranked Doubles", now - 900, true, 1000),
                                                    ratedRow(hostile, now - 600, false, 990)}));
    FollowingLive live({pathToUtf8(folder_ / "stats.csv")});
    const fs::path out = folder_ / "tallyglass-live";
    ASSERT_TRUE(eventually([&] { return fs::exists(out / "live.html"); }, std::chrono::seconds(10)));

    DevToolsBrowser browser(*program_, folder_ / "profile");
    const std::string page = browser.open("file://" + pathToUtf8(out / "live.html"), 1920, 1080);
    ASSERT_TRUE(browser.until(page, "document.documentElement.getAttribute('data-matches') === '2'",
                              std::chrono::seconds(20)));
    browser.evaluate(page, "window.keptAcrossUpdates = 'yes'");
    const int drawsBefore = std::stoi(
        browser.evaluate(page, "document.documentElement.getAttribute('data-draws')").get<std::string>());

    std::ofstream(folder_ / "stats.csv", std::ios::app)
        << statsRowLine(ratedRow("Ranked Doubles", now - 60, true, 1003)) << "\n";
    ASSERT_TRUE(browser.until(page, "document.documentElement.getAttribute('data-matches') === '3'",
                              std::chrono::seconds(10)));
    EXPECT_EQ(browser.evaluate(page, "document.getElementById('wins').textContent + '-' + "
                                     "document.getElementById('losses').textContent"),
              "2-1");
    EXPECT_EQ(browser.evaluate(page, "window.keptAcrossUpdates"), "yes") << "the page was reloaded";
    const int drawsAfter = std::stoi(
        browser.evaluate(page, "document.documentElement.getAttribute('data-draws')").get<std::string>());
    EXPECT_GT(drawsAfter, drawsBefore);
    EXPECT_EQ(browser.evaluate(page, "document.querySelectorAll('#matches tbody tr').length"), 3);
    // The figures' columns as session.json names them, each cell under its heading.
    EXPECT_EQ(browser.evaluate(page, "Array.from(document.querySelectorAll('#matches thead th'))"
                                     ".map(function (th) { return th.textContent; }).join('|')"),
              "Time|Playlist|Result|Points|Goals|Assists|Saves|Shots|Rating after");
    EXPECT_EQ(browser.evaluate(page, "Array.from(document.querySelectorAll('#matches tbody tr')[0].cells)"
                                     ".slice(3, 8).map(function (td) { return td.textContent; }).join('|')"),
              "300|1|1|1|3");
    EXPECT_EQ(browser.evaluate(page, "document.querySelector('#chart canvas') !== null"), true);

    // The hostile title is shown as text and ran nothing.
    EXPECT_EQ(browser.evaluate(page, "document.body.innerText.includes('<img src=x onerror=')"), true);
    EXPECT_EQ(browser.evaluate(page, "document.querySelector('img') === null"), true);
    EXPECT_EQ(browser.evaluate(page, "document.documentElement.hasAttribute('data-ran')"), false);
    EXPECT_EQ(browser.evaluate(page, "document.documentElement.getAttribute('data-script-errors')"), Json())
        << browser.evaluate(page, "(document.getElementById('script-errors') || {}).textContent");

    // The overlay: its own figures, nothing behind the strip.
    const std::string overlay = browser.open("file://" + pathToUtf8(out / "overlay.html"), 900, 200);
    ASSERT_TRUE(browser.until(overlay, "document.documentElement.getAttribute('data-matches') === '3'",
                              std::chrono::seconds(20)));
    EXPECT_EQ(browser.evaluate(overlay, "getComputedStyle(document.documentElement).backgroundColor"),
              "rgba(0, 0, 0, 0)");
    EXPECT_EQ(browser.evaluate(overlay, "getComputedStyle(document.body).backgroundColor"),
              "rgba(0, 0, 0, 0)");
    EXPECT_EQ(browser.evaluate(overlay, "document.getElementById('streak').textContent"), "W1");
    EXPECT_EQ(browser.evaluate(overlay, "document.getElementById('change').textContent"), "+3");
    EXPECT_EQ(browser.evaluate(overlay, "document.documentElement.getAttribute('data-script-errors')"),
              Json());
    browser.call("Emulation.setDefaultBackgroundColorOverride",
                 {{"color", {{"r", 0}, {"g", 0}, {"b", 0}, {"a", 0}}}}, overlay);
    const std::string png = browser.screenshot(overlay);
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* pixels =
        stbi_load_from_memory(reinterpret_cast<const unsigned char*>(png.data()),
                              static_cast<int>(png.size()), &width, &height, &channels, 4);
    ASSERT_NE(pixels, nullptr);
    const auto alpha = [&](int x, int y) { return pixels[(y * width + x) * 4 + 3]; };
    EXPECT_EQ(alpha(width - 5, height - 5), 0) << "the corner is not transparent";
    EXPECT_EQ(alpha(2, 2), 0);
    EXPECT_GT(alpha(40, 45), 200) << "the strip is not drawn where it should be";
    stbi_image_free(pixels);
}

// With the player's bands: the band of the last match's playlist and the points to the next on
// live.html and on the overlay, whose figures all stay inside a browser source of 900 x 120.
TEST_F(LiveInBrowser, TheBandAndThePointsToTheNextShowOnThePageAndInsideTheOverlay) {
    const std::int64_t now = systemClock();
    StatsRow last = ratedRow("Ranked Doubles", now - 300, true, 1102);
    last.mmrAfter = 1111;
    writeFile(folder_ / "stats.csv",
              statsFileText({ratedRow("Ranked Doubles", now - 900, false, 1110), last}));
    writeFile(folder_ / "bands.csv", "Playlist,Band,From\nRanked Doubles,Platinum II,1000\n"
                                     "Ranked Doubles,Diamond I,1195\n");
    const fs::path out = folder_ / "view";
    const LiveResult run = runLiveOnce({pathToUtf8(folder_ / "stats.csv"), "--once", "--bands",
                                        pathToUtf8(folder_ / "bands.csv"), "--out", pathToUtf8(out)},
                                       now);
    ASSERT_EQ(run.exitCode, 0) << run.err;

    DevToolsBrowser browser(*program_, folder_ / "profile");
    const std::string page = browser.open("file://" + pathToUtf8(out / "live.html"), 1920, 1080);
    ASSERT_TRUE(browser.until(page, "document.documentElement.getAttribute('data-matches') === '2'",
                              std::chrono::seconds(20)));
    EXPECT_EQ(browser.evaluate(page, "document.getElementById('band-detail').textContent"),
              "Platinum II \u00b7 84 to Diamond I");
    EXPECT_EQ(browser.evaluate(page, "document.getElementById('band-detail').hidden"), false);

    const std::string overlay = browser.open("file://" + pathToUtf8(out / "overlay.html"), 900, 120);
    ASSERT_TRUE(browser.until(overlay, "document.documentElement.getAttribute('data-matches') === '2'",
                              std::chrono::seconds(20)));
    EXPECT_EQ(browser.evaluate(overlay, "document.getElementById('band').textContent"),
              "Platinum II \u00b7 84 to go");
    // Every figure, the band's line included, is drawn whole inside 900 x 120.
    const Json outside = browser.evaluate(
        overlay,
        "Array.from(document.querySelectorAll('#strip .label, #strip .value, #band'))"
        ".filter(function (node) { var box = node.getBoundingClientRect();"
        "  return box.width === 0 || box.left < 0 || box.top < 0 || box.right > 900 || box.bottom > 120"
        "    || node.scrollWidth > node.clientWidth + 1; })"
        ".map(function (node) { return node.id || node.className; })");
    EXPECT_EQ(outside, Json::array()) << outside;
    EXPECT_EQ(browser.evaluate(overlay, "document.documentElement.getAttribute('data-script-errors')"),
              Json());
}

} // namespace
