// A path as UTF-8 text and back: how the plugin's console lines, the programs' messages and the tests
// show a path, and how the programs take one from their command lines and pass one on. Here, below the
// plugin and every program, so that all of them include the one definition.
#pragma once

#include <filesystem>
#include <string>

// Throws what the conversion throws: on Windows, a name holding a lone UTF-16 surrogate.
inline std::string pathToUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// A path from UTF-8 text, whatever the platform's narrow code page. Throws what the conversion throws:
// on Windows, text that is not UTF-8.
inline std::filesystem::path pathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}
