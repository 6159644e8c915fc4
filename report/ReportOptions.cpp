#include "report/ReportOptions.h"

#include <charconv>

namespace {

// What the arguments give, before the defaults fill in what they leave out.
struct GivenArguments {
    ReportOptions options;
    std::optional<std::filesystem::path> page;
    std::optional<std::string> input;
};

bool takesValue(const std::string& option) {
    return option == "-o" || option == "--output" || option == "--json" || option == "--bands" ||
           option == "--now";
}

bool readNow(const std::string& text, ReportOptions& options, OptionsError& error) {
    std::int64_t seconds = 0;
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, seconds);
    if (failure != std::errc() || stop != end || seconds < 0 || seconds > 8'640'000'000'000) {
        error.message = "--now takes seconds since 1970 UTC, a whole number: \"" + text + "\"";
        return false;
    }
    options.now = seconds;
    return true;
}

// Keeps the value of an option that takes one; false, with the message, when it is not usable.
bool readValue(const std::string& option, const std::string& value, GivenArguments& given,
               OptionsError& error) {
    if (option == "--now")
        return readNow(value, given.options, error);
    if (option == "--json")
        given.options.json = pathFromUtf8(value);
    else if (option == "--bands")
        given.options.bands = pathFromUtf8(value);
    else
        given.page = pathFromUtf8(value);
    return true;
}

// An argument that is no option names the stats file (or the folder), of which there is one.
bool readInput(const std::string& argument, GivenArguments& given, OptionsError& error) {
    if (given.input) {
        error.message =
            "one stats file or folder at a time: \"" + *given.input + "\" and \"" + argument + "\"";
        return false;
    }
    given.input = argument;
    return true;
}

std::optional<ReportOptions> withDefaults(GivenArguments& given, OptionsError& error) {
    if (!given.input || given.input->empty()) {
        error.message = "no stats file given";
        return std::nullopt;
    }
    ReportOptions& options = given.options;
    options.input = pathFromUtf8(*given.input);
    std::error_code unknown;
    options.folder = std::filesystem::is_directory(options.input, unknown);
    if (options.folder) {
        if (given.page || options.json) {
            error.message = "given a folder, each page goes beside its stats file: -o and --json take one "
                            "stats file";
            return std::nullopt;
        }
        options.page = options.input / kIndexPageName;
    } else if (given.page) {
        options.page = *given.page;
    } else {
        options.page = options.input;
        options.page.replace_extension(".html");
    }
    return options;
}

} // namespace

std::optional<ReportOptions> parseReportOptions(const std::vector<std::string>& arguments,
                                                OptionsError& error) {
    GivenArguments given;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        if (argument == "-h" || argument == "--help") {
            given.options.help = true;
            return given.options;
        }
        if (takesValue(argument)) {
            if (at + 1 >= arguments.size()) {
                error.message = argument + " needs a value";
                return std::nullopt;
            }
            if (!readValue(argument, arguments[++at], given, error))
                return std::nullopt;
        } else if (argument.size() > 1 && argument[0] == '-') {
            error.message = "unknown option " + argument;
            return std::nullopt;
        } else if (!readInput(argument, given, error)) {
            return std::nullopt;
        }
    }
    return withDefaults(given, error);
}
