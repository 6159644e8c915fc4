// The pages in a real browser while the program runs: Debian's headless Chromium opens them from disk,
// and the test reads them through Chromium's DevTools protocol over --remote-debugging-pipe (JSON
// messages ended by a NUL byte on the browser's descriptors 3 and 4): a match is appended, the page
// shows it without reloading, no script fails, a hostile title stays text, and the overlay is
// transparent around its strip, as its pixels show.
#include "tests/live/LiveTestSupport.h"
#include "tests/support/StatsFileText.h"

#include <gtest/gtest.h>

#include <stb_image.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;
using Json = nlohmann::json;

namespace {

std::optional<fs::path> chromium() {
    if (const char* named = std::getenv("TALLYGLASS_CHROMIUM"))
        return fs::path(named);
    for (const char* candidate :
         {"/usr/bin/chromium-headless-shell", "/usr/bin/chromium", "/usr/bin/chromium-browser"})
        if (fs::exists(candidate))
            return fs::path(candidate);
    return std::nullopt;
}

std::string base64Decoded(const std::string& text) {
    std::string bytes;
    std::uint32_t bits = 0;
    int count = 0;
    for (const char c : text) {
        int value = -1;
        if (c >= 'A' && c <= 'Z')
            value = c - 'A';
        else if (c >= 'a' && c <= 'z')
            value = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            value = c - '0' + 52;
        else if (c == '+')
            value = 62;
        else if (c == '/')
            value = 63;
        if (value < 0)
            continue;
        bits = (bits << 6) | static_cast<std::uint32_t>(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return bytes;
}

// A headless Chromium driven through the DevTools protocol.
class Browser {
public:
    Browser(const fs::path& program, const fs::path& profile) {
        int toBrowser[2];
        int fromBrowser[2];
        if (pipe(toBrowser) != 0 || pipe(fromBrowser) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, toBrowser[0], 3);
        posix_spawn_file_actions_adddup2(&actions, fromBrowser[1], 4);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        std::vector<std::string> words{program.string(),
                                       "--headless",
                                       "--no-sandbox",
                                       "--disable-gpu",
                                       "--no-first-run",
                                       "--disable-extensions",
                                       "--disable-background-networking",
                                       "--disable-component-update",
                                       "--disable-sync",
                                       "--hide-scrollbars",
                                       "--proxy-server=127.0.0.1:9",
                                       "--remote-debugging-pipe",
                                       "--user-data-dir=" + profile.string(),
                                       "about:blank"};
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(toBrowser[0]);
        close(fromBrowser[1]);
        write_ = toBrowser[1];
        read_ = fromBrowser[0];
    }

    ~Browser() {
        close(write_);
        close(read_);
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            int status = 0;
            waitpid(pid_, &status, 0);
        }
    }

    // Opens `url` in a new page; the page's session for later calls.
    std::string open(const std::string& url, int width, int height) {
        const Json target = call("Target.createTarget", {{"url", "about:blank"}});
        const std::string session =
            call("Target.attachToTarget", {{"targetId", target["targetId"]}, {"flatten", true}})["sessionId"];
        call("Emulation.setDeviceMetricsOverride",
             {{"width", width}, {"height", height}, {"deviceScaleFactor", 1}, {"mobile", false}}, session);
        call("Page.navigate", {{"url", url}}, session);
        return session;
    }

    Json evaluate(const std::string& session, const std::string& expression) {
        const Json reply =
            call("Runtime.evaluate", {{"expression", expression}, {"returnByValue", true}}, session);
        return reply["result"].value("value", Json());
    }

    // Waits up to `limit` until `expression` is true in the page.
    bool until(const std::string& session, const std::string& expression, std::chrono::milliseconds limit) {
        return eventually([&] { return evaluate(session, expression) == Json(true); }, limit);
    }

    std::string screenshot(const std::string& session) {
        return base64Decoded(call("Page.captureScreenshot", {{"format", "png"}}, session)["data"]);
    }

    Json call(const std::string& method, const Json& parameters, const std::string& session = {}) {
        Json message{{"id", ++lastId_}, {"method", method}, {"params", parameters}};
        if (!session.empty())
            message["sessionId"] = session;
        std::string text = message.dump();
        text += '\0';
        if (::write(write_, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
            return Json();
        for (;;) {
            const std::optional<std::string> reply = next();
            if (!reply)
                return Json();
            const Json parsed = Json::parse(*reply, nullptr, false);
            if (parsed.is_object() && parsed.value("id", -1) == lastId_) {
                if (std::getenv("LIVE_CDP_DEBUG"))
                    fprintf(stderr, "%s -> %s\n", method.c_str(), reply->substr(0, 300).c_str());
                return parsed.value("result", Json());
            }
        }
    }

private:
    std::optional<std::string> next() {
        for (;;) {
            const std::size_t end = buffer_.find('\0');
            if (end != std::string::npos) {
                std::string message = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                return message;
            }
            pollfd ready{read_, POLLIN, 0};
            if (poll(&ready, 1, 30000) <= 0)
                return std::nullopt;
            char chunk[65536];
            const ssize_t got = ::read(read_, chunk, sizeof chunk);
            if (got <= 0)
                return std::nullopt;
            buffer_.append(chunk, static_cast<std::size_t>(got));
        }
    }

    pid_t pid_ = -1;
    int write_ = -1;
    int read_ = -1;
    int lastId_ = 0;
    std::string buffer_;
};

StatsRow match(std::int64_t time, bool win, int rating, const std::string& playlist = "Ranked Doubles") {
    StatsRow row;
    row.time = time;
    row.win = win;
    row.mmr = rating;
    row.playlist = playlist;
    return row;
}

class LiveInBrowser : public ::testing::Test {
protected:
    void SetUp() override {
        program_ = chromium();
        if (!program_)
            GTEST_SKIP()
                << "no headless Chromium here (apt-get install chromium); .ci/packages.sh installs it";
        fs::create_directory(folder_ / "profile");
    }

    std::optional<fs::path> program_;
    TempFolder folder_;
};

TEST_F(LiveInBrowser, ThePageShowsANewMatchWithoutReloadingAndTitlesAsText) {
    const std::string hostile =
        "<img src=x onerror=\"document.documentElement.setAttribute('data-ran','1')\">";
    const std::int64_t now = systemClock();
    writeFile(folder_ / "stats.csv",
              statsFileText({match(now - 900, true, 1000), match(now - 600, false, 990, hostile)}));
    FollowingLive live({pathToUtf8(folder_ / "stats.csv")});
    const fs::path out = folder_ / "tallyglass-live";
    ASSERT_TRUE(eventually([&] { return fs::exists(out / "live.html"); }, std::chrono::seconds(10)));

    Browser browser(*program_, folder_ / "profile");
    const std::string page = browser.open("file://" + pathToUtf8(out / "live.html"), 1920, 1080);
    ASSERT_TRUE(browser.until(page, "document.documentElement.getAttribute('data-matches') === '2'",
                              std::chrono::seconds(20)));
    browser.evaluate(page, "window.keptAcrossUpdates = 'yes'");
    const int drawsBefore = std::stoi(
        browser.evaluate(page, "document.documentElement.getAttribute('data-draws')").get<std::string>());

    std::ofstream(folder_ / "stats.csv", std::ios::app) << statsRowLine(match(now - 60, true, 1003)) << "\n";
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

} // namespace
