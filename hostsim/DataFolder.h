// The host's data folder for a run: the one asked for, or a new temporary one.
#pragma once

#include <filesystem>
#include <optional>

// Creates the folder when missing; without a request makes a fresh folder under the system's
// temporary folder. Refuses (HostsimError, exit 2) saying why when it cannot.
std::filesystem::path prepareDataFolder(const std::optional<std::filesystem::path>& requested);
