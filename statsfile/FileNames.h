// The names of a player's files in the host's data folder, written once for every program.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The player's stats file: the id, then "_Tallyglass.csv".
inline std::string statsFileName(std::string_view playerId) {
    return std::string(playerId) + "_Tallyglass.csv";
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
