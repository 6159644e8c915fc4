// Splits one scenario line into words: blanks separate, double quotes group (with \" and \\ escapes),
// and # outside quotes starts a comment.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

struct ScenarioError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws ScenarioError for an unterminated quote or a bad escape.
std::vector<std::string> splitScenarioLine(const std::string& line);
