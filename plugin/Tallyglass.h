// The Tallyglass plugin object: every member the subsystems share, and the operations the host's
// callbacks run. Recording lives in recording/, reading and averaging in statistics/, drawing in overlay/.
#pragma once

#include "plugin/HostSdk.h"
#include "plugin/RecentTables.h"
#include "statsfile/Columns.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

class Tallyglass final : public BakkesMod::Plugin::BakkesModPlugin {
public:
    // The header and the ten newest lines: one for each table row, the header's for the title row.
    static constexpr int kKeptLines = kRecentTableRows;
    // The columns every file has; the scoreboard reads no other.
    static constexpr int kFieldsPerLine = static_cast<int>(kRequiredColumnCount);
    static constexpr int kTableColumns = kRecentTableColumns;
    using Table = RecentTable;
    using ColumnTitles = std::array<std::string, kTableColumns>;

    Tallyglass();
    ~Tallyglass();
    Tallyglass(const Tallyglass&) = delete;
    Tallyglass& operator=(const Tallyglass&) = delete;

    void onLoad() override;

    // Console commands and scoreboard handlers (plugin/).
    void onStartCommand(std::vector<std::string> arguments);
    void onStopCommand(std::vector<std::string> arguments);
    void onScoreboardOpen(std::string eventName);
    void onScoreboardClose(std::string eventName);

    // Recording (recording/).
    void onMatchEnded(std::string eventName);
    void onMmrUpdated(UniqueIDWrapper id);
    std::filesystem::path getStatsFilePath();
    void writeMatchRow();
    // Gives rows captured but not yet written one last attempt before the object goes.
    void finishPendingWrites();
    // The rating a row records as the one before its match: the last reading when it is this player's in
    // this playlist, else the host's rating for them in it now; 0 while nothing was read since load.
    std::int32_t ratingBeforeMatch(const std::string& playerId, std::int32_t playlistId);
    // Queues `matchRow`, the match of this player in this playlist, to be written in six seconds, unless
    // the same match already waits for its write.
    void queueMatchRow(std::string playerId, std::int32_t playlistId);
    // A rating the host announced for this player in this playlist: the rating after each of their
    // matches there whose row is still to be written.
    void takeRatingAfter(const std::string& playerId, std::int32_t playlistId, float rating);
    // The stats file of the player with this id, in the data folder the host reports now.
    std::filesystem::path statsFilePathFor(const std::string& playerId);
    // A player's stats file that could not take their row.
    struct RowFailure {
        std::string playerId;
        std::filesystem::path file;
        std::string cause; // what the file is instead of text, when that is why; empty otherwise
    };
    // Appends the queued rows to their players' stats files, oldest first: every row when `everyRow`,
    // otherwise those whose write is due. A file that cannot take a row keeps it and every later row of
    // its player queued, in order; the other files' rows are written regardless. Returns one failure
    // for each file that could not take a row.
    std::vector<RowFailure> writeQueuedRows(bool everyRow);
    void logRecording(const std::string& text);
    // Says once per file and load that the stats file is no text the plugin may append to (`what` it is
    // instead), and where the matches go meanwhile.
    void noteRefusedStatsFile(const std::filesystem::path& file, const std::string& what);

    // Statistics (statistics/).
    // Loading (statistics/StatsFileReader.cpp): reads the line count, the header and the newest lines of
    // the file in one pass, then places them and refreshes the statistics; a file that is there but
    // cannot be read now leaves everything as it was.
    void loadStatsFile(std::filesystem::path path);
    // Puts the newest lines of loadStatsFile's pass into recentLines and refreshes the statistics. The
    // path names the file those lines came from; it is not read again, since one pass over the file
    // gave the header, the count and the lines together.
    void readRecentLines(std::filesystem::path path);
    // Splitting and averaging (statistics/Statistics.cpp), all run by refreshStatistics: the kept lines
    // split into lineFields at the writer's column positions, the header's names indexed, then the
    // averages and the tables taken from those positions.
    void splitRecentLines();
    void buildColumnIndex();
    // The position in lineFields rows of the column the header names so; kMissingColumn when it names
    // none such.
    int columnPosition(const std::string& name);
    static constexpr int kMissingColumn = -1;
    void refreshStatistics();
    // Steps of the refresh over rows 1 to dataRows (the file's data lines, at most ten).
    void updateAverages(int dataRows);
    void fillTableRows(int dataRows);
    // Empties row `row` of every recent-match table.
    void emptyTableRow(int row);

    // Overlay (overlay/).
    void render(CanvasWrapper canvas);
    std::string timeAgo(std::uint32_t timestamp);

    // Runs a task on the host's timer after the delay, unless this object is gone by then.
    void runLater(float delaySeconds, std::function<void()> task);
    // Logs a failure caught at the edge of a host callback; never throws.
    void reportFailure(const char* what) noexcept;

    // The header names the tables look their fields up by, and each box's title row; the constructor
    // fills both from the stats-file columns and the stat-box table.
    std::array<std::string, kTableFields.size()> columnNames;
    ColumnTitles pointsColumns;
    ColumnTitles goalsColumns;
    ColumnTitles assistsColumns;
    ColumnTitles savesColumns;
    ColumnTitles shotsColumns;
    ColumnTitles mmrColumns;
    ColumnTitles demosColumns;
    std::array<std::int32_t, 6> timeUnitSeconds{1, 60, 3600, 86400, 2592000, 31536000};

    bool pluginEnabled = true;
    bool showMmrBox = true;
    bool showScoreBox = true;
    bool showGoalsBox = true;
    bool showAssistsBox = true;
    bool showSavesBox = true;
    bool showShotsBox = true;
    bool showDemosBox = true;
    std::int32_t boxOpacity = 210;
    std::int32_t textOpacity = 255;
    std::int32_t boxRed = 0;
    std::int32_t boxGreen = 0;
    std::int32_t boxBlue = 0;
    std::int32_t mmrBoxX = 0;
    std::int32_t mmrBoxY = 0;
    std::int32_t pointsBoxX = 0;
    std::int32_t pointsBoxY = 0;
    std::int32_t goalsBoxX = 0;
    std::int32_t goalsBoxY = 0;
    std::int32_t assistsBoxX = 0;
    std::int32_t assistsBoxY = 0;
    std::int32_t savesBoxX = 0;
    std::int32_t savesBoxY = 0;
    std::int32_t shotsBoxX = 0;
    std::int32_t shotsBoxY = 0;
    std::int32_t demosBoxX = 0;
    std::int32_t demosBoxY = 0;

    std::unique_ptr<MMRNotifierToken> mmrNotifierToken;
    float currentMmr = 0;
    std::map<std::string, std::string> matchRow;
    std::map<std::string, std::int32_t> columnIndex;
    std::ofstream statsFile;
    std::int32_t lineCount = 0;

    std::string averageMmr;
    std::string averagePoints;
    std::string averageGoals;
    std::string averageAssists;
    std::string averageSaves;
    std::string averageShots;
    std::string averageDemos;

    // Unused, and kept with the other named members: the one-pass reader needs no line buffer.
    std::string lineBuffer;
    std::array<std::string, kKeptLines> recentLines;

    Table matchTable;
    Table mmrTable;
    Table pointsTable;
    Table goalsTable;
    Table assistsTable;
    Table savesTable;
    Table shotsTable;
    Table demosTable;

    std::array<std::string, kKeptLines * kFieldsPerLine> lineFields;

private:
    // Timer tasks hold a weak reference to this token, so a task still pending when the object goes
    // never runs against it.
    std::shared_ptr<int> aliveToken_ = std::make_shared<int>(0);

    // --- recording state ---
    // Whose rating currentMmr is, and in which playlist: a row takes it only for the same.
    struct RatingReading {
        std::string playerId;
        std::int32_t playlistId = 0;
    };
    std::optional<RatingReading> ratingRead_; // none since load
    // A captured row waiting for its write. `due` is set when the write scheduled for it runs; from then
    // on it takes no rating after its match.
    struct QueuedRow {
        std::map<std::string, std::string> values;
        std::string playerId; // whose match it is: the row goes to that player's file
        std::int32_t playlistId = 0;
        std::uint64_t ticket = 0;
        bool due = false;
    };
    std::vector<QueuedRow> queuedRows_;
    std::uint64_t nextRowTicket_ = 0;
    // The players whose rows wait because their file could not take them: told once in the console
    // when the rows start to wait, and once more when they have been written.
    std::set<std::string> playersWaiting_;
    // The stats files whose header does not name every column: told once each in the console.
    std::set<std::filesystem::path> headersNoted_;
    // The stats files found to be no text (a workbook saved under the name): told once each.
    std::set<std::filesystem::path> refusalsNoted_;

    // --- statistics state ---
    // The newest lines loadStatsFile found in its one pass over the file, newest first, until
    // readRecentLines puts them into their slots.
    std::vector<std::string> newestLines_;
    // By written position: a column that a kept data line's layout lacks (a line of the player's own
    // below a header that does not name it, among rows of the plugin's own that have it). Such a
    // statistic has no average, so that every average is still taken over the same matches.
    std::array<bool, kStatsColumnCount> lackedByALine_{};

    // --- overlay state ---
    // Each box's last line ("Average MMR: " and the average), kept between frames so that drawing
    // does not rebuild it; render remakes one whenever its average text has changed. One for each stat
    // box, sized by the constructor.
    std::vector<std::string> averageLines_;
};
