// A page in a real browser, for the tests of the pages: Debian's headless Chromium opens it, and the
// test reads and works it through Chromium's DevTools protocol over --remote-debugging-pipe (JSON
// messages ended by a NUL byte on the browser's descriptors 3 and 4). POSIX only.
#pragma once

#include <nlohmann/json.hpp>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>

// TALLYGLASS_CHROMIUM names the browser; else the first of Debian's headless Chromium programs found.
std::optional<std::filesystem::path> findChromium();

class DevToolsBrowser {
public:
    // Starts the browser with its profile in `profile`, the network off.
    DevToolsBrowser(const std::filesystem::path& program, const std::filesystem::path& profile);
    ~DevToolsBrowser();
    DevToolsBrowser(const DevToolsBrowser&) = delete;
    DevToolsBrowser& operator=(const DevToolsBrowser&) = delete;

    // Opens `url` in a new page of width x height pixels; the page's session for later calls.
    std::string open(const std::string& url, int width, int height);
    // The value of `expression` in the page (null when it has none or fails).
    nlohmann::json evaluate(const std::string& session, const std::string& expression);
    // Waits up to `limit` until `expression` is true in the page.
    bool until(const std::string& session, const std::string& expression, std::chrono::milliseconds limit);
    // The page as a PNG file's bytes.
    std::string screenshot(const std::string& session);
    // One call of the protocol; its result (null when the browser did not answer).
    nlohmann::json call(const std::string& method, const nlohmann::json& parameters,
                        const std::string& session = {});

private:
    std::optional<std::string> next();

    pid_t pid_ = -1;
    int write_ = -1;
    int read_ = -1;
    int lastId_ = 0;
    std::string buffer_;
};
