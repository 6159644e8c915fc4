#include "hostsim/Arguments.h"

#include "hostsim/DisplayText.h"
#include "hostsim/HostsimError.h"

#include <algorithm>
#include <charconv>
#include <cmath>

long long parseInteger(const std::string& text, long long min, long long max, const std::string& what) {
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [stop, problem] = std::from_chars(text.data(), end, value);
    if (problem != std::errc() || stop != end || text.empty())
        refuse(what + " must be a whole number, not '" + displayText(text) + "'");
    if (value < min || value > max)
        refuse(what + " must lie between " + std::to_string(min) + " and " + std::to_string(max) + ", not " +
               displayText(text));
    return value;
}

double parseDecimal(const std::string& text, const std::string& what) {
    double value = 0;
    const char* end = text.data() + text.size();
    auto [stop, problem] = std::from_chars(text.data(), end, value);
    if (problem != std::errc() || stop != end || text.empty() || !std::isfinite(value))
        refuse(what + " must be a decimal number, not '" + displayText(text) + "'");
    return value;
}

bool parseFlag(const std::string& text, const std::string& what) {
    if (text != "0" && text != "1")
        refuse(what + " must be 0 or 1, not '" + displayText(text) + "'");
    return text == "1";
}

std::map<std::string, std::string> parseKeyValues(const std::vector<std::string>& arguments,
                                                  const std::vector<std::string>& allowed) {
    std::map<std::string, std::string> values;
    for (const std::string& argument : arguments) {
        std::size_t equals = argument.find('=');
        if (equals == std::string::npos)
            refuse("expected key=value, not '" + displayText(argument) + "'");
        std::string key = argument.substr(0, equals);
        if (std::find(allowed.begin(), allowed.end(), key) == allowed.end())
            refuse("unknown key '" + displayText(key) + "'");
        if (!values.emplace(key, argument.substr(equals + 1)).second)
            refuse("key '" + displayText(key) + "' given twice");
    }
    return values;
}

void expectArgumentCount(const std::vector<std::string>& arguments, std::size_t min, std::size_t max) {
    if (arguments.size() < min || arguments.size() > max) {
        std::string expected =
            min == max ? std::to_string(min) : std::to_string(min) + " to " + std::to_string(max);
        refuse("expected " + expected + " argument" + (max == 1 ? "" : "s") + ", got " +
               std::to_string(arguments.size()));
    }
}
