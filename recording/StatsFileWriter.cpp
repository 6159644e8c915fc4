// The player's stats file: where it lives, and the queue of captured rows waiting to be appended.
#include "plugin/Tallyglass.h"
#include "recording/StatsFileAppend.h"

#include <algorithm>

namespace {

constexpr float kWriteDelaySeconds = 6.0f;

// The path as a player reads it in the console (UTF-8); never throws.
std::string displayPath(const std::filesystem::path& path) {
    try {
        std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    } catch (...) {
        return "the stats file";
    }
}

} // namespace

std::filesystem::path Tallyglass::getStatsFilePath() {
    return statsFilePathFor(gameWrapper->GetUniqueID().str());
}

std::filesystem::path Tallyglass::statsFilePathFor(const std::string& playerId) {
    // Kept a filesystem path throughout, so a data folder in any script works on every platform.
    return gameWrapper->GetDataFolder() / (playerId + "_Tallyglass.csv");
}

void Tallyglass::queueMatchRow() {
    // The row belongs to the player who played the match, even if another signs in before it is written.
    std::string playerId = gameWrapper->GetUniqueID().str();
    // A match-ended event fired again for the same match, while its write is still to come, is one match.
    const bool alreadyQueued = std::any_of(queuedRows_.begin(), queuedRows_.end(), [&](const QueuedRow& row) {
        return !row.due && row.playerId == playerId && sameMatch(row.values, matchRow);
    });
    if (alreadyQueued)
        return;
    const std::uint64_t ticket = nextRowTicket_++;
    queuedRows_.push_back(QueuedRow{matchRow, std::move(playerId), ticket, false});
    runLater(kWriteDelaySeconds, [this, ticket] {
        // Rows queued earlier are due as well: their writes were scheduled first.
        for (QueuedRow& row : queuedRows_)
            if (row.ticket <= ticket)
                row.due = true;
        writeMatchRow();
    });
}

void Tallyglass::writeMatchRow() {
    const std::optional<std::filesystem::path> failed = writeQueuedRows(false);
    if (failed && !rowsWaiting_) {
        rowsWaiting_ = true;
        logRecording("Tallyglass: could not write the match result to " + displayPath(*failed) +
                     " (folder missing, disk full, or the file open in another program?). It is kept and "
                     "will be written after the next match, or when the plugin unloads.");
    }
    loadStatsFile(getStatsFilePath());
}

void Tallyglass::finishPendingWrites() {
    if (queuedRows_.empty())
        return;
    if (gameWrapper && !writeQueuedRows(true))
        return;
    logRecording("Tallyglass: " + std::to_string(queuedRows_.size()) +
                 " recorded match(es) could not be written to the stats file and are lost.");
    queuedRows_.clear();
}

std::optional<std::filesystem::path> Tallyglass::writeQueuedRows(bool everyRow) {
    std::filesystem::path path;
    while (!queuedRows_.empty() && (everyRow || queuedRows_.front().due)) {
        path = statsFilePathFor(queuedRows_.front().playerId);
        if (!appendMatchRow(statsFile, path, queuedRows_.front().values))
            return path;
        queuedRows_.erase(queuedRows_.begin());
    }
    // The rows that waited went first, so they are all in the file now.
    if (rowsWaiting_) {
        rowsWaiting_ = false;
        logRecording("Tallyglass: the match results that were waiting have been written to " +
                     displayPath(path) + ".");
    }
    return std::nullopt;
}

void Tallyglass::logRecording(const std::string& text) {
    if (cvarManager)
        cvarManager->log(text);
}
