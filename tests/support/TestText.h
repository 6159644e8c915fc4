// Small text helpers the tests share: a path as UTF-8 text, and whether a text holds another.
#pragma once

#include <filesystem>
#include <string>

inline std::string utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}
