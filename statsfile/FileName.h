// The stats file's name: "<player id>_Tallyglass.csv" in the host's data folder, and the name of the
// player's rescue file beside it, which the plugin records into while the stats file is no text. The
// plugin names its stats file by it, hostsim names the file it previews by it, and a program that is
// given such a file (or a folder of them) can tell whose history it is.
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

inline constexpr std::string_view kRescueFileNameEnd = "_Tallyglass_rescued.csv";

// Where the plugin records `playerId`'s matches while the stats file beside it is no text it can append
// to (a workbook saved under its name): one fixed name per player, "<player id>_Tallyglass_rescued.csv".
inline std::string rescueFileName(std::string_view playerId) {
    std::string name(playerId);
    name.append(kRescueFileNameEnd);
    return name;
}

// The player id a rescue file's name holds; nothing when the name is not one.
inline std::optional<std::string> playerIdOfRescueFileName(std::string_view name) {
    if (name.size() <= kRescueFileNameEnd.size() || !name.ends_with(kRescueFileNameEnd))
        return std::nullopt;
    return std::string(name.substr(0, name.size() - kRescueFileNameEnd.size()));
}

// The rescue file beside `statsFile`: its name with "_rescued" before ".csv", which for a stats file's
// name is rescueFileName of its player, so every rescued match of the player goes to the same file.
inline std::filesystem::path rescueFileFor(const std::filesystem::path& statsFile) {
    std::filesystem::path name = statsFile.stem();
    name += "_rescued";
    name += statsFile.extension();
    return statsFile.parent_path() / name;
}

// The player id of either of a player's files in the data folder: the stats file or the rescue file;
// nothing for any other name (a renamed copy such as "..._Tallyglass (1).csv" included).
inline std::optional<std::string> playerIdOfAccountFileName(std::string_view name) {
    if (std::optional<std::string> id = playerIdOfStatsFileName(name))
        return id;
    return playerIdOfRescueFileName(name);
}
