#include "report/ReportOptions.h"

#include <charconv>

std::filesystem::path pathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::optional<ReportOptions> parseReportOptions(const std::vector<std::string>& arguments,
                                                OptionsError& error) {
    ReportOptions options;
    std::optional<std::filesystem::path> page;
    std::optional<std::string> statsFile;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        const auto value = [&]() -> const std::string* {
            if (at + 1 >= arguments.size()) {
                error.message = argument + " needs a value";
                return nullptr;
            }
            return &arguments[++at];
        };
        if (argument == "-h" || argument == "--help") {
            options.help = true;
            return options;
        } else if (argument == "-o" || argument == "--output") {
            const std::string* text = value();
            if (!text)
                return std::nullopt;
            page = pathFromUtf8(*text);
        } else if (argument == "--json") {
            const std::string* text = value();
            if (!text)
                return std::nullopt;
            options.json = pathFromUtf8(*text);
        } else if (argument == "--now") {
            const std::string* text = value();
            if (!text)
                return std::nullopt;
            std::int64_t seconds = 0;
            const char* end = text->data() + text->size();
            const auto [stop, failure] = std::from_chars(text->data(), end, seconds);
            if (failure != std::errc() || stop != end || seconds < 0 || seconds > 8'640'000'000'000) {
                error.message = "--now takes seconds since 1970 UTC, a whole number: \"" + *text + "\"";
                return std::nullopt;
            }
            options.now = seconds;
        } else if (argument.size() > 1 && argument[0] == '-') {
            error.message = "unknown option " + argument;
            return std::nullopt;
        } else if (statsFile) {
            error.message = "one stats file at a time: \"" + *statsFile + "\" and \"" + argument + "\"";
            return std::nullopt;
        } else {
            statsFile = argument;
        }
    }
    if (!statsFile || statsFile->empty()) {
        error.message = "no stats file given";
        return std::nullopt;
    }
    options.statsFile = pathFromUtf8(*statsFile);
    if (page) {
        options.page = *page;
    } else {
        options.page = options.statsFile;
        options.page.replace_extension(".html");
    }
    return options;
}
