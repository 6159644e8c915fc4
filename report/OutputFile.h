// Writing an output whole or not at all: the bytes go to a temporary file in the target's folder, which
// is renamed over the target only once written and flushed to the disk. A failure (disk full, a size
// limit, no such folder, no permission) leaves the target as it was and no temporary file behind.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Nothing when `target` now holds `bytes`; else the system's reason ("No space left on device").
std::optional<std::string> replaceFileWith(const std::filesystem::path& target, std::string_view bytes);
