// The stats file's name: "<player id>_Tallyglass.csv" in the host's data folder. The plugin names its
// file by it, hostsim names the file it previews by it, and a program that is given such a file can
// tell whose history it is. Beside it, the rescue file the plugin records into while the stats file is
// no text.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::string_view kStatsFileNameEnd = "_Tallyglass.csv";

// The name of `playerId`'s stats file (UTF-8, as the id is).
inline std::string statsFileName(std::string_view playerId) {
    std::string name(playerId);
    name.append(kStatsFileNameEnd);
    return name;
}

// The player id a stats file's name holds; nothing when the name is not one (another end, or no id
// before it). The end is matched exactly: a renamed copy ("..._Tallyglass (1).csv") names no player.
inline std::optional<std::string> playerIdOfStatsFileName(std::string_view name) {
    if (name.size() <= kStatsFileNameEnd.size() || !name.ends_with(kStatsFileNameEnd))
        return std::nullopt;
    return std::string(name.substr(0, name.size() - kStatsFileNameEnd.size()));
}

// Where the plugin records matches while the stats file beside it is no text it can append to (a
// workbook saved under its name): the stats file's name with "_rescued" before ".csv", one fixed name per
// player ("<id>_Tallyglass_rescued.csv"), so every such match of the player goes to the same file.
inline std::filesystem::path rescueFileFor(const std::filesystem::path& statsFile) {
    std::filesystem::path name = statsFile.stem();
    name += "_rescued";
    name += statsFile.extension();
    return statsFile.parent_path() / name;
}
