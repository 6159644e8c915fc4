// A path as UTF-8 text: how the plugin's console lines, hostsim's and the report's messages, and the
// tests show a path, and how the tools pass one on as text.
#pragma once

#include <filesystem>
#include <string>

// Throws what the conversion throws: on Windows, a name holding a lone UTF-16 surrogate.
inline std::string pathToUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}
