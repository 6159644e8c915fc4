#include "report/ConsoleSummary.h"

#include "report/FigureText.h"

#include <algorithm>
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

// The current rating, marked when it is the one before the playlist's last match.
std::string ratingText(const PlaylistSummary& playlist) {
    if (!playlist.currentRating)
        return "-";
    return groupedNumber(*playlist.currentRating) + (playlist.currentRatingFromBefore ? "*" : "");
}

std::string padLeft(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string number(std::uint64_t count) {
    return groupedNumber(static_cast<std::int64_t>(count));
}

void printPlaylists(const HistorySummary& summary, std::ostream& out) {
    if (summary.playlists.empty())
        return;
    out << '\n'
        << std::string("Playlist") + std::string(kNameColumn - 8, ' ') << padLeft("Matches", 9)
        << padLeft("W-L", 15) << padLeft("Win rate", 10) << padLeft("Rating", 8) << padLeft("Streak", 8)
        << '\n';
    for (const PlaylistSummary& playlist : summary.playlists) {
        const auto [name, width] = shownName(playlist.name);
        out << name << std::string(kNameColumn - std::min(width, kNameColumn), ' ')
            << padLeft(number(playlist.matches), 9)
            << padLeft(number(playlist.wins) + "-" + number(playlist.losses), 15)
            << padLeft(percentText(playlist.wins, playlist.matches), 10) << padLeft(ratingText(playlist), 8)
            << padLeft(streakText(playlist.currentStreak), 8) << '\n';
    }
    if (std::any_of(summary.playlists.begin(), summary.playlists.end(),
                    [](const PlaylistSummary& playlist) { return playlist.currentRatingFromBefore; }))
        out << "* the rating before the playlist's last match: the file holds no rating after it.\n";
}

} // namespace

void printConsoleSummary(const HistorySummary& summary, std::ostream& out) {
    out << countText(summary.matches, "match", "matches");
    if (summary.matches > 0)
        out << ", " << countText(summary.wins, "win", "wins") << " - "
            << countText(summary.losses, "loss", "losses") << " ("
            << percentText(summary.wins, summary.matches) << ")";
    out << ", " << countText(summary.sessionCount, "session", "sessions") << '\n';
    printPlaylists(summary, out);
    if (summary.fileOrder.outOfPlace > 0) {
        out << '\n'
            << "The lines are not in time order: "
            << countText(summary.fileOrder.outOfPlace, "match is", "matches are")
            << " out of place (each earlier than a match on a line above it; the first on line "
            << number(summary.fileOrder.firstOutOfPlaceLine)
            << "). Every figure is worked out in time order.\n";
    }
    if (summary.skippedCount > 0) {
        out << '\n'
            << countText(summary.skippedCount, "line was", "lines were")
            << " not read as a match (first: line " << number(summary.skipped.front().line) << ", "
            << summary.skipped.front().reason << "); the page lists them.\n";
    }
}
