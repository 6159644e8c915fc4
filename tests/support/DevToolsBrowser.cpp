#include "tests/support/DevToolsBrowser.h"

#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;
using Json = nlohmann::json;

namespace {

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

} // namespace

std::optional<fs::path> findChromium() {
    if (const char* named = std::getenv("TALLYGLASS_CHROMIUM"))
        return fs::path(named);
    for (const char* candidate :
         {"/usr/bin/chromium-headless-shell", "/usr/bin/chromium", "/usr/bin/chromium-browser"})
        if (fs::exists(candidate))
            return fs::path(candidate);
    return std::nullopt;
}

DevToolsBrowser::DevToolsBrowser(const fs::path& program, const fs::path& profile) {
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

DevToolsBrowser::~DevToolsBrowser() {
    close(write_);
    close(read_);
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
}

std::string DevToolsBrowser::open(const std::string& url, int width, int height) {
    const Json target = call("Target.createTarget", {{"url", "about:blank"}});
    const std::string session =
        call("Target.attachToTarget", {{"targetId", target["targetId"]}, {"flatten", true}})["sessionId"];
    call("Emulation.setDeviceMetricsOverride",
         {{"width", width}, {"height", height}, {"deviceScaleFactor", 1}, {"mobile", false}}, session);
    call("Page.navigate", {{"url", url}}, session);
    return session;
}

Json DevToolsBrowser::evaluate(const std::string& session, const std::string& expression) {
    const Json reply =
        call("Runtime.evaluate", {{"expression", expression}, {"returnByValue", true}}, session);
    return reply["result"].value("value", Json());
}

bool DevToolsBrowser::until(const std::string& session, const std::string& expression,
                            std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (evaluate(session, expression) == Json(true))
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

std::string DevToolsBrowser::screenshot(const std::string& session) {
    return base64Decoded(call("Page.captureScreenshot", {{"format", "png"}}, session)["data"]);
}

Json DevToolsBrowser::call(const std::string& method, const Json& parameters, const std::string& session) {
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

std::optional<std::string> DevToolsBrowser::next() {
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
