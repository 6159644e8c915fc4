#include "report/ConsoleSummary.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kNameColumn = 28;

// A title as the terminal can show it: control characters (which could move the cursor or change
// colours) become "?", and a long title is cut at a character boundary. Returns the text and its width
// in characters.
std::pair<std::string, std::size_t> shownName(std::string_view name) {
    std::string text;
    std::size_t characters = 0;
    for (std::size_t at = 0; at < name.size();) {
        const auto byte = static_cast<unsigned char>(name[at]);
        std::size_t length = byte < 0x80 ? 1 : byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        length = std::min(length, name.size() - at);
        if (characters + 1 == kNameColumn && at + length < name.size()) {
            text += "~";
            ++characters;
            break;
        }
        if (byte < 0x20 || byte == 0x7F)
            text += '?';
        else
            text.append(name.substr(at, length));
        ++characters;
        at += length;
    }
    if (name.empty()) {
        text = "(no title)";
        characters = text.size();
    }
    return {text, characters};
}

std::string streakText(std::int64_t streak) {
    if (streak == 0)
        return "-";
    return std::to_string(streak > 0 ? streak : -streak) + (streak > 0 ? "W" : "L");
}

std::string padLeft(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string percent(std::uint64_t part, std::uint64_t whole) {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f%%",
                  whole ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0);
    return text;
}

} // namespace

void printConsoleSummary(const HistorySummary& summary, std::ostream& out) {
    out << summary.matches << " matches, " << summary.wins << " wins - " << summary.losses << " losses ("
        << percent(summary.wins, summary.matches) << "), " << summary.sessionCount << " sessions\n";
    if (!summary.playlists.empty()) {
        out << '\n'
            << std::string("Playlist") + std::string(kNameColumn - 8, ' ') << padLeft("Matches", 9)
            << padLeft("W-L", 13) << padLeft("Win rate", 10) << padLeft("Rating", 8) << padLeft("Streak", 8)
            << '\n';
    }
    for (const PlaylistSummary& playlist : summary.playlists) {
        const auto [name, width] = shownName(playlist.name);
        out << name << std::string(kNameColumn - std::min(width, kNameColumn), ' ')
            << padLeft(std::to_string(playlist.matches), 9)
            << padLeft(std::to_string(playlist.wins) + "-" + std::to_string(playlist.losses), 13)
            << padLeft(percent(playlist.wins, playlist.matches), 10)
            << padLeft(playlist.currentRating ? std::to_string(*playlist.currentRating) : "-", 8)
            << padLeft(streakText(playlist.currentStreak), 8) << '\n';
    }
    if (summary.skippedCount > 0) {
        out << '\n'
            << summary.skippedCount << (summary.skippedCount == 1 ? " line was" : " lines were")
            << " not read as a match (first: line " << summary.skipped.front().line << ", "
            << summary.skipped.front().reason << "); the page lists them.\n";
    }
}
