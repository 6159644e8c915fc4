// Splits one scenario line into words: blanks separate, double quotes group (with \" and \\ escapes),
// and # outside quotes starts a comment.
#pragma once

#include <string>
#include <vector>

// Refuses (HostsimError, exit 2) an unterminated quote or a bad escape.
std::vector<std::string> splitScenarioLine(const std::string& line);
