// How paths and user-given texts appear in hostsim's messages.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

// A path as UTF-8, as the user typed it.
std::string displayPath(const std::filesystem::path& path);

// A text from bad input, quoted as given but with control characters written as escapes (\n, \t,
// \x1b), so a message never moves the cursor, clears the screen or hides what was wrong.
std::string displayText(const std::string& text);

// The system's reason for `error`, as a person reads it: "No such file or directory".
std::string reasonText(const std::error_code& error);
