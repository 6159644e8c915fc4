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
                             const TempFolder& folder) {
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
                                "' 2>/dev/null";
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

class ReportInBrowser : public ::testing::Test {
protected:
    void SetUp() override {
        browser_ = chromium();
        if (!browser_)
            GTEST_SKIP()
                << "no headless Chromium here (apt-get install chromium); .ci/packages.sh installs it";
    }

    std::string render(const std::string& statsText) {
        writeFile(folder_ / "stats.csv", statsText);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(runReport({pathToUtf8(folder_ / "stats.csv"), "--now", "1796600000"}, out, err), 0)
            << err.str();
        return renderedDocument(*browser_, folder_ / "stats.html", folder_);
    }

    std::optional<std::filesystem::path> browser_;
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

} // namespace
