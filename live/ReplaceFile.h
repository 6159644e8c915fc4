// Replacing a file whole: the content goes into a file beside it, which is then renamed over it, so a
// reader sees the old file or the new one, never half of one.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// False, with the system's reason in `problem`, when the file could not be replaced now (on Windows, for
// instance, while a reader holds it open without letting it be replaced); it is then as it was.
bool replaceWhole(const std::filesystem::path& target, std::string_view content, std::string& problem);

// The name of the file written beside `target` before it is renamed into place.
std::filesystem::path besideName(const std::filesystem::path& target);
