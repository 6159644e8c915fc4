#include "live/LiveOptions.h"

#include "statsfile/PathText.h"
#include "statsfile/PlausibleTime.h"
#include "toolkit/SessionRules.h"

#include <charconv>
#include <system_error>

namespace {

constexpr const char* kDefaultFolderName = "tallyglass-live";

bool wholeNumber(const std::string& text, std::int64_t lowest, std::int64_t highest, std::int64_t& value) {
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, value);
    return failure == std::errc() && stop == end && !text.empty() && value >= lowest && value <= highest;
}

bool takesValue(const std::string& option) {
    return option == "--out" || option == "--session-gap" || option == "--now" || option == "--bands";
}

// The bands file's path, kept as given until the paths are made (it may be no UTF-8 text).
bool readBandsOption(const std::string& value, std::optional<std::string>& bands, std::string& error) {
    if (value.empty()) {
        error = "--bands needs a file";
        return false;
    }
    bands = value;
    return true;
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

std::filesystem::path defaultOutFolder(const LiveOptions& options) {
    if (!options.dataFolder.empty())
        return options.dataFolder / kDefaultFolderName;
    return options.statsFile.parent_path() / kDefaultFolderName;
}

} // namespace

std::optional<LiveOptions> parseLiveOptions(const std::vector<std::string>& arguments, std::string& error) {
    LiveOptions options;
    options.sessionGapSeconds = kSessionGapSeconds;
    std::optional<std::string> statsFile;
    std::optional<std::string> outFolder;
    std::optional<std::string> bands;
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
            const std::string& value = arguments[++at];
            if (argument == "--bands" ? !readBandsOption(value, bands, error)
                                      : !readValue(argument, value, options, outFolder, error))
                return std::nullopt;
        } else if (argument.size() > 1 && argument[0] == '-') {
            error = "unknown option " + argument;
            return std::nullopt;
        } else if (statsFile) {
            error = "one stats file or folder at a time: \"" + *statsFile + "\" and \"" + argument + "\"";
            return std::nullopt;
        } else {
            statsFile = argument;
        }
    }
    if (!statsFile || statsFile->empty()) {
        error = "no stats file or data folder given";
        return std::nullopt;
    }
    try {
        const std::filesystem::path given = pathFromUtf8(*statsFile);
        std::error_code ignored;
        if (std::filesystem::is_directory(given, ignored))
            options.dataFolder = given;
        else
            options.statsFile = given;
        options.outFolder = outFolder ? pathFromUtf8(*outFolder) : defaultOutFolder(options);
        if (bands)
            options.bands = pathFromUtf8(*bands);
    } catch (const std::exception&) {
        error = "a path that is not UTF-8 text";
        return std::nullopt;
    }
    return options;
}
