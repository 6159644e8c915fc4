// The stats file's name: "<player id>_Tallyglass.csv" in the host's data folder. The plugin names its
// file by it, hostsim names the file it previews by it, and a program that is given such a file can
// tell whose history it is.
#pragma once

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

inline constexpr std::string_view kAccountFileNameMark = "_Tallyglass";
inline constexpr std::string_view kAccountFileNameEnd = ".csv";

// The player id of a file of that player's beside the stats file: the stats file itself, or a file named
// "<player id>_Tallyglass<more>.csv", such as the plugin's rescue file "<player id>_Tallyglass_rescued.csv"
// or a copy saved beside it ("<player id>_Tallyglass (1).csv"); nothing for any other name.
inline std::optional<std::string> playerIdOfAccountFileName(std::string_view name) {
    if (!name.ends_with(kAccountFileNameEnd))
        return std::nullopt;
    const std::string_view stem = name.substr(0, name.size() - kAccountFileNameEnd.size());
    const std::size_t mark = stem.rfind(kAccountFileNameMark);
    if (mark == std::string_view::npos || mark == 0)
        return std::nullopt;
    return std::string(stem.substr(0, mark));
}
