// Small text helpers the tests share: a path as UTF-8 text (the product's own helper), and whether a
// text holds another.
#pragma once

#include "plugin/PathText.h"

#include <filesystem>
#include <string>

inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}
