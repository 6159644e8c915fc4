// The player's stats file: where it lives, and the queue of captured rows waiting to be appended.
#include "plugin/Tallyglass.h"
#include "recording/StatsFileAppend.h"
#include "recording/ValueText.h"
#include "statsfile/FileName.h"
#include "statsfile/PathText.h"

#include <algorithm>

namespace {

constexpr float kWriteDelaySeconds = 6.0f;

// The path as a player reads it in the console (UTF-8); never throws.
std::string displayPath(const std::filesystem::path& path) {
    try {
        return pathToUtf8(path);
    } catch (...) {
        return "the stats file";
    }
}

} // namespace

std::filesystem::path Tallyglass::getStatsFilePath() {
    return statsFilePathFor(gameWrapper->GetUniqueID().str());
}

std::filesystem::path Tallyglass::statsFilePathFor(const std::string& playerId) {
    // Kept a filesystem path throughout, so a data folder in any script works on every platform; the
    // file's name is UTF-8, as the id is, never the Windows code page's reading of it.
    return gameWrapper->GetDataFolder() / pathFromUtf8(statsFileName(playerId));
}

void Tallyglass::queueMatchRow(std::string playerId, std::int32_t playlistId) {
    // A match-ended event fired again for the same match, while its write is still to come, is one match.
    const bool alreadyQueued = std::any_of(queuedRows_.begin(), queuedRows_.end(), [&](const QueuedRow& row) {
        return !row.due && row.playerId == playerId && sameMatch(row.values, matchRow);
    });
    if (alreadyQueued)
        return;
    const std::uint64_t ticket = nextRowTicket_++;
    queuedRows_.push_back(QueuedRow{matchRow, std::move(playerId), playlistId, ticket, false});
    runLater(kWriteDelaySeconds, [this, ticket] {
        // Rows queued earlier are due as well: their writes were scheduled first.
        for (QueuedRow& row : queuedRows_)
            if (row.ticket <= ticket)
                row.due = true;
        writeMatchRow();
    });
}

void Tallyglass::takeRatingAfter(const std::string& playerId, std::int32_t playlistId, float rating) {
    const std::string text = std::to_string(wholeRating(rating));
    for (QueuedRow& row : queuedRows_)
        if (!row.due && row.playerId == playerId && row.playlistId == playlistId)
            row.values[std::string(columnName(StatsColumn::MmrAfter))] = text;
}

void Tallyglass::writeMatchRow() {
    // Each file that could not take a row is told once, when its rows start to wait.
    for (const RowFailure& failure : writeQueuedRows(false))
        if (playersWaiting_.insert(failure.playerId).second)
            logRecording(
                "Tallyglass: could not write the match result to " + displayPath(failure.file) + " " +
                (failure.cause.empty() ? "(folder missing, disk full, or the file open in another program?)"
                                       : "(it " + failure.cause + ")") +
                ". It is kept and will be written after the next match, or when the plugin unloads.");
    loadStatsFile(getStatsFilePath());
}

void Tallyglass::finishPendingWrites() {
    if (queuedRows_.empty())
        return;
    if (gameWrapper)
        writeQueuedRows(true);
    if (queuedRows_.empty())
        return;
    logRecording("Tallyglass: " + std::to_string(queuedRows_.size()) +
                 " recorded match(es) could not be written to the stats file and are lost.");
    queuedRows_.clear();
    playersWaiting_.clear();
}

std::vector<Tallyglass::RowFailure> Tallyglass::writeQueuedRows(bool everyRow) {
    // A file that fails takes no further row in this pass, so its rows keep their order; the rows of
    // every other file go on regardless.
    std::vector<RowFailure> failures;
    std::map<std::string, std::filesystem::path> written; // player id to the file that took their rows
    const auto failed = [&](const std::string& playerId) {
        return std::any_of(failures.begin(), failures.end(),
                           [&](const RowFailure& failure) { return failure.playerId == playerId; });
    };
    for (auto row = queuedRows_.begin(); row != queuedRows_.end();) {
        if ((!everyRow && !row->due) || failed(row->playerId)) {
            ++row;
            continue;
        }
        std::filesystem::path path = statsFilePathFor(row->playerId);
        AppendResult appended = appendMatchRow(statsFile, path, row->values);
        if (!appended.refusal.empty()) {
            // The file is left as it is; the match goes to the rescue file beside it.
            noteRefusedStatsFile(path, appended.refusal);
            path = rescueFileFor(path);
            appended = appendMatchRow(statsFile, path, row->values);
        }
        if (!appended.headerLacks.empty() && headersNoted_.insert(path).second)
            logRecording("Tallyglass: the first line of " + displayPath(path) + " " + appended.headerLacks +
                         "; new rows are written in Tallyglass's own order.");
        if (!appended.written) {
            failures.push_back(RowFailure{row->playerId, std::move(path), appended.refusal});
            ++row;
            continue;
        }
        written[row->playerId] = std::move(path);
        row = queuedRows_.erase(row);
    }
    // A player whose rows had been waiting, and whose file took them all now, hears where they went.
    for (const auto& [playerId, path] : written) {
        if (failed(playerId) || playersWaiting_.erase(playerId) == 0)
            continue;
        logRecording("Tallyglass: the match results that were waiting have been written to " +
                     displayPath(path) + ".");
    }
    return failures;
}

void Tallyglass::noteRefusedStatsFile(const std::filesystem::path& file, const std::string& what) {
    if (refusalsNoted_.insert(file).second)
        logRecording("Tallyglass: " + displayPath(file) + " " + what +
                     ". Tallyglass leaves it as it is and " + "records new matches in " +
                     displayPath(rescueFileFor(file)) +
                     " meanwhile; copy them into the stats file once it is CSV again.");
}

void Tallyglass::logRecording(const std::string& text) {
    if (cvarManager)
        cvarManager->log(text);
}
