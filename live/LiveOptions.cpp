#include "live/LiveOptions.h"

#include "statsfile/PathText.h"
#include "statsfile/PlausibleTime.h"
#include "toolkit/SessionRules.h"

#include <charconv>

namespace {

constexpr const char* kDefaultFolderName = "tallyglass-live";

bool wholeNumber(const std::string& text, std::int64_t lowest, std::int64_t highest, std::int64_t& value) {
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, value);
    return failure == std::errc() && stop == end && !text.empty() && value >= lowest && value <= highest;
}

bool takesValue(const std::string& option) {
    return option == "--out" || option == "--session-gap" || option == "--now";
}

// Keeps an option's value; false, with the message, when it cannot be used.
bool readValue(const std::string& option, const std::string& value, LiveOptions& options,
               std::optional<std::string>& outFolder, std::string& error) {
    if (option == "--out") {
        if (value.empty()) {
            error = "--out needs a folder";
            return false;
        }
        outFolder = value;
        return true;
    }
    std::int64_t number = 0;
    if (option == "--session-gap") {
        if (!wholeNumber(value, 1, kLongestSessionGapMinutes, number)) {
            error = "--session-gap takes whole minutes from 1 to " +
                    std::to_string(kLongestSessionGapMinutes) + ": \"" + value + "\"";
            return false;
        }
        options.sessionGapSeconds = number * 60;
        return true;
    }
    if (!wholeNumber(value, kEarliestPlausibleTime, kLatestShowableTime, number)) {
        error = "--now takes seconds since 1970 UTC, a whole number from 2000 on: \"" + value + "\"";
        return false;
    }
    options.now = number;
    return true;
}

} // namespace

std::optional<LiveOptions> parseLiveOptions(const std::vector<std::string>& arguments, std::string& error) {
    LiveOptions options;
    options.sessionGapSeconds = kSessionGapSeconds;
    std::optional<std::string> statsFile;
    std::optional<std::string> outFolder;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        if (argument == "-h" || argument == "--help") {
            options.help = true;
            return options;
        }
        if (argument == "--since-start") {
            options.sinceStart = true;
        } else if (argument == "--once") {
            options.once = true;
        } else if (takesValue(argument)) {
            if (at + 1 >= arguments.size()) {
                error = argument + " needs a value";
                return std::nullopt;
            }
            if (!readValue(argument, arguments[++at], options, outFolder, error))
                return std::nullopt;
        } else if (argument.size() > 1 && argument[0] == '-') {
            error = "unknown option " + argument;
            return std::nullopt;
        } else if (statsFile) {
            error = "one stats file at a time: \"" + *statsFile + "\" and \"" + argument + "\"";
            return std::nullopt;
        } else {
            statsFile = argument;
        }
    }
    if (!statsFile || statsFile->empty()) {
        error = "no stats file given";
        return std::nullopt;
    }
    try {
        options.statsFile = pathFromUtf8(*statsFile);
        options.outFolder =
            outFolder ? pathFromUtf8(*outFolder) : options.statsFile.parent_path() / kDefaultFolderName;
    } catch (const std::exception&) {
        error = "a path that is not UTF-8 text";
        return std::nullopt;
    }
    return options;
}
