#include "hostsim/Arguments.h"

#include <algorithm>
#include <charconv>
#include <cmath>

long long parseInteger(const std::string& text, long long min, long long max, const std::string& what) {
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [stop, problem] = std::from_chars(text.data(), end, value);
    if (problem != std::errc() || stop != end || text.empty())
        throw ScenarioError(what + " must be a whole number, not '" + text + "'");
    if (value < min || value > max)
        throw ScenarioError(what + " must lie between " + std::to_string(min) + " and " +
                            std::to_string(max) + ", not " + text);
    return value;
}

double parseDecimal(const std::string& text, const std::string& what) {
    double value = 0;
    const char* end = text.data() + text.size();
    auto [stop, problem] = std::from_chars(text.data(), end, value);
    if (problem != std::errc() || stop != end || text.empty() || !std::isfinite(value))
        throw ScenarioError(what + " must be a decimal number, not '" + text + "'");
    return value;
}

bool parseFlag(const std::string& text, const std::string& what) {
    if (text != "0" && text != "1")
        throw ScenarioError(what + " must be 0 or 1, not '" + text + "'");
    return text == "1";
}

std::map<std::string, std::string> parseKeyValues(const std::vector<std::string>& arguments,
                                                  const std::vector<std::string>& allowed) {
    std::map<std::string, std::string> values;
    for (const std::string& argument : arguments) {
        std::size_t equals = argument.find('=');
        if (equals == std::string::npos)
            throw ScenarioError("expected key=value, not '" + argument + "'");
        std::string key = argument.substr(0, equals);
        if (std::find(allowed.begin(), allowed.end(), key) == allowed.end())
            throw ScenarioError("unknown key '" + key + "'");
        if (!values.emplace(key, argument.substr(equals + 1)).second)
            throw ScenarioError("key '" + key + "' given twice");
    }
    return values;
}

void expectArgumentCount(const std::vector<std::string>& arguments, std::size_t min, std::size_t max) {
    if (arguments.size() < min || arguments.size() > max) {
        std::string expected =
            min == max ? std::to_string(min) : std::to_string(min) + " to " + std::to_string(max);
        throw ScenarioError("expected " + expected + " argument" + (max == 1 ? "" : "s") + ", got " +
                            std::to_string(arguments.size()));
    }
}
