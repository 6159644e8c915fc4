// Files hostsim reads (the scenario, the font, the stats file to preview): only regular
// files, so a folder, a device or a pipe is refused at once instead of blocking or filling memory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// Refuses (exit 2), saying why, unless `file` is a regular file, a link to one included; `what`
// names it in the message ("the scenario file").
void requireRegularFile(const std::filesystem::path& file, const std::string& what);

// The whole content of a regular file of at most `maxBytes` bytes; refuses anything else.
std::string readRegularFile(const std::filesystem::path& file, std::uintmax_t maxBytes,
                            const std::string& what);
