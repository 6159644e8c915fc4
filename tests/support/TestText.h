// Small text helpers the tests share: a path as UTF-8 text (the product's own helper), whether a text
// holds another, and a text as lines and back.
#pragma once

#include "statsfile/PathText.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The lines of a text, without their line ends.
inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The lines joined into a text, each ended by a line feed.
inline std::string joinedLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}
