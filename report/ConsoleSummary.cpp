#include "report/ConsoleSummary.h"

#include "report/FigureText.h"
#include "toolkit/ScreenWidth.h"
#include "toolkit/Utf8.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// A title wider than this on screen is cut short.
constexpr std::size_t kWidestName = 40;

// A text from the file as the terminal can show it: control characters (which could move the cursor or
// change colours) and bytes that are not UTF-8 become "?". Returns the text and the columns it takes.
std::pair<std::string, std::size_t> shownText(std::string_view text) {
    std::string shown;
    std::size_t columns = 0;
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Character character = utf8CharacterAt(text.substr(at));
        const bool control = character.code < 0x20 || (character.code >= 0x7F && character.code < 0xA0);
        if (character.length == 0 || control) {
            shown += '?';
            ++columns;
            at += std::max<std::size_t>(character.length, 1);
            continue;
        }
        shown.append(text.substr(at, character.length));
        columns += static_cast<std::size_t>(screenColumns(character.code));
        at += character.length;
    }
    return {shown, columns};
}

// A title in at most kWidestName columns: a longer one is cut at a character and ends in "~".
std::pair<std::string, std::size_t> shownName(std::string_view name) {
    if (name.empty())
        return {"(no title)", 10};
    auto [text, columns] = shownText(name);
    if (columns <= kWidestName)
        return {text, columns};
    std::string cut;
    std::size_t cutColumns = 0;
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Character character = utf8CharacterAt(std::string_view(text).substr(at));
        const auto width = static_cast<std::size_t>(screenColumns(character.code));
        if (cutColumns + width + 1 > kWidestName)
            break;
        cut.append(text, at, character.length);
        cutColumns += width;
        at += character.length;
    }
    return {cut + "~", cutColumns + 1};
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

std::string number(std::uint64_t count) {
    return groupedNumber(static_cast<std::int64_t>(count));
}

// A text cell and the columns it takes on screen.
struct Cell {
    std::string text;
    std::size_t columns = 0;
};

Cell plainCell(std::string text) {
    const std::size_t columns = text.size(); // figures are ASCII
    return Cell{std::move(text), columns};
}

// Each column as wide as the widest of its heading and cells; two blanks between columns; the first
// and the text columns aligned left, the figures right. A left-aligned last column is not padded.
void printTable(const std::vector<std::string>& headings, const std::vector<bool>& left,
                const std::vector<std::vector<Cell>>& rows, std::ostream& out) {
    std::vector<std::size_t> widths;
    for (const std::string& heading : headings)
        widths.push_back(heading.size());
    for (const std::vector<Cell>& row : rows)
        for (std::size_t column = 0; column < row.size(); ++column)
            widths[column] = std::max(widths[column], row[column].columns);
    const auto printRow = [&](const std::vector<Cell>& row) {
        std::string line;
        for (std::size_t column = 0; column < row.size(); ++column) {
            const std::string padding(widths[column] - row[column].columns, ' ');
            if (column > 0)
                line += "  ";
            if (left[column])
                line.append(row[column].text).append(column + 1 < row.size() ? padding : "");
            else
                line.append(padding).append(row[column].text);
        }
        out << line << '\n';
    };
    std::vector<Cell> headingRow;
    for (const std::string& heading : headings)
        headingRow.push_back(plainCell(heading));
    printRow(headingRow);
    for (const std::vector<Cell>& row : rows)
        printRow(row);
}

void printPlaylists(const HistorySummary& summary, const RatingBands& bands, std::ostream& out) {
    if (summary.playlists.empty())
        return;
    std::vector<std::string> headings{"Playlist", "Matches", "W-L", "Win rate", "Rating", "Peak", "Streak"};
    std::vector<bool> left{true, false, false, false, false, false, false};
    if (!bands.empty()) {
        headings.insert(headings.end(), {"Band", "To next"});
        left.insert(left.end(), {true, false});
    }
    std::vector<std::vector<Cell>> rows;
    for (const PlaylistSummary& playlist : summary.playlists) {
        const auto [name, columns] = shownName(playlist.name);
        std::vector<Cell> row{
            Cell{name, columns},
            plainCell(number(playlist.matches)),
            plainCell(number(playlist.wins) + "-" + number(playlist.losses)),
            plainCell(percentText(playlist.wins, playlist.matches)),
            plainCell(ratingText(playlist)),
            plainCell(playlist.peakRating ? groupedNumber(*playlist.peakRating) : "-"),
            plainCell(streakText(playlist.currentStreak)),
        };
        if (!bands.empty()) {
            const std::optional<BandStanding> band = bands.standing(playlist.name, playlist.currentRating);
            const auto [bandName, bandColumns] =
                band ? shownText(band->name) : std::pair<std::string, std::size_t>("-", 1);
            row.push_back(Cell{bandName, bandColumns});
            row.push_back(plainCell(band && band->toNext ? groupedNumber(*band->toNext) : "-"));
        }
        rows.push_back(std::move(row));
    }
    out << '\n';
    printTable(headings, left, rows, out);
    if (std::any_of(summary.playlists.begin(), summary.playlists.end(),
                    [](const PlaylistSummary& playlist) { return playlist.currentRatingFromBefore; }))
        out << "* the rating before the playlist's last match: the file holds no rating after it.\n";
}

} // namespace

void printConsoleSummary(const HistorySummary& summary, std::ostream& out, const RatingBands& bands) {
    out << countText(summary.matches, "match", "matches");
    if (summary.matches > 0)
        out << ", " << countText(summary.wins, "win", "wins") << " - "
            << countText(summary.losses, "loss", "losses") << " ("
            << percentText(summary.wins, summary.matches) << ")";
    out << ", " << countText(summary.sessionCount, "session", "sessions") << '\n';
    printPlaylists(summary, bands, out);
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
