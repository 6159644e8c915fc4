#include "report/FolderReport.h"

#include "report/ConsoleSummary.h"
#include "report/ReportPage.h"
#include "report/ReportSteps.h"
#include "report/SummaryJson.h"
#include "statsfile/FileName.h"
#include "statsfile/PathText.h"
#include "toolkit/JsonText.h"
#include "toolkit/SameFile.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <system_error>

namespace fs = std::filesystem;

namespace {

using Json = nlohmann::ordered_json;

// One file of an account, read or not, and its page.
struct ReadFile {
    fs::path file;
    fs::path page;
    std::optional<HistorySummary> summary;
    std::string problem;
};

fs::path pageOf(const fs::path& file) {
    fs::path page = file;
    page.replace_extension(".html");
    return page;
}

Json fileJson(const ReadFile& read) {
    Json json{
        {"file", pathToUtf8(read.file.filename())},
        {"page", read.summary ? Json(pathToUtf8(read.page.filename())) : Json(nullptr)},
        {"problem", read.summary ? Json(nullptr) : Json(read.problem)},
        {"matches", 0},
        {"wins", 0},
        {"losses", 0},
        {"lastMatch", nullptr},
        {"playlists", Json::array()},
    };
    if (!read.summary)
        return json;
    const HistorySummary& summary = *read.summary;
    json["matches"] = summary.matches;
    json["wins"] = summary.wins;
    json["losses"] = summary.losses;
    json["lastMatch"] = summary.matches > 0 ? Json(summary.lastMatch) : Json(nullptr);
    for (const PlaylistSummary& playlist : summary.playlists) {
        if (!playlist.currentRating)
            continue;
        json["playlists"].push_back(Json{
            {"name", playlist.name},
            {"currentRating", *playlist.currentRating},
            {"currentRatingFromBefore", playlist.currentRatingFromBefore},
            {"peakRating", *playlist.peakRating},
            {"peakRatingTime", playlist.peakRatingTime},
        });
    }
    return json;
}

// The stats file of an account of which the folder holds only the rescue file.
Json missingStatsFileJson(const AccountFiles& account) {
    ReadFile missing;
    missing.file = pathFromUtf8(statsFileName(account.playerId));
    missing.problem = "no such file (only its rescue file is here)";
    return fileJson(missing);
}

// The newest match of an account's files; none without a match.
std::optional<std::int64_t> lastPlayed(const std::vector<const ReadFile*>& files) {
    std::optional<std::int64_t> last;
    for (const ReadFile* file : files)
        if (file && file->summary && file->summary->matches > 0)
            last = std::max(last.value_or(file->summary->lastMatch), file->summary->lastMatch);
    return last;
}

// No page may be one of the folder's stats files, nor the bands file.
bool outputsAreSafe(const std::vector<ReadFile*>& files, const ReportOptions& options, std::ostream& err) {
    std::vector<fs::path> outputs{options.page};
    std::vector<fs::path> inputs;
    for (const ReadFile* file : files) {
        outputs.push_back(file->page);
        inputs.push_back(file->file);
    }
    if (options.bands)
        inputs.push_back(*options.bands);
    for (const fs::path& output : outputs)
        for (const fs::path& input : inputs)
            if (sameFile(output, input)) {
                err << kReportProgram << pathToUtf8(output) << ": is " << pathToUtf8(input)
                    << " itself; an input is never overwritten\n";
                return false;
            }
    return true;
}

} // namespace

std::vector<AccountFiles> accountFilesIn(const fs::path& folder) {
    std::map<std::string, AccountFiles> accounts;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        std::error_code unknown;
        if (!entry.is_regular_file(unknown))
            continue;
        std::string name;
        try {
            name = pathToUtf8(entry.path().filename());
        } catch (const std::exception&) {
            continue; // a name that is no text (a lone UTF-16 surrogate) names no player
        }
        if (const std::optional<std::string> id = playerIdOfStatsFileName(name)) {
            accounts[*id].playerId = *id;
            accounts[*id].statsFile = entry.path();
        } else if (const std::optional<std::string> rescued = playerIdOfRescueFileName(name)) {
            accounts[*rescued].playerId = *rescued;
            accounts[*rescued].rescueFile = entry.path();
        }
    }
    std::vector<AccountFiles> listed;
    for (auto& [id, files] : accounts)
        listed.push_back(std::move(files));
    return listed;
}

int reportFolder(const ReportOptions& options, const RatingBands& bands, std::int64_t now, std::ostream& out,
                 std::ostream& err) {
    const std::string folderName = pathToUtf8(options.input);
    std::vector<AccountFiles> accounts;
    try {
        accounts = accountFilesIn(options.input);
    } catch (const fs::filesystem_error& failure) {
        err << kReportProgram << folderName << ": cannot be listed: " << failure.code().message() << '\n';
        return 2;
    }
    if (accounts.empty()) {
        err << kReportProgram << folderName << ": holds no stats file (<player id>" << kStatsFileNameEnd
            << ")\n";
        return 2;
    }
    // Each account's stats file, then its rescue file.
    std::vector<std::pair<ReadFile, ReadFile>> read(accounts.size());
    std::vector<ReadFile*> present;
    for (std::size_t at = 0; at < accounts.size(); ++at) {
        for (auto [file, into] : {std::pair{&accounts[at].statsFile, &read[at].first},
                                  std::pair{&accounts[at].rescueFile, &read[at].second}}) {
            if (!*file)
                continue;
            into->file = **file;
            into->page = pageOf(**file);
            present.push_back(into);
        }
    }
    if (!outputsAreSafe(present, options, err))
        return 2;

    int status = 0;
    for (ReadFile* file : present) {
        file->summary = readHistory(file->file, now, file->problem);
        if (!file->summary) {
            err << kReportProgram << pathToUtf8(file->file) << ": " << file->problem << "; no page for it\n";
            status = status == 0 ? 2 : status;
            continue;
        }
        const Json json = summaryJson(*file->summary, pathToUtf8(file->file.filename()), bands);
        if (!writeReportOutput(file->page, reportPage(jsonText(json)), err)) {
            file->summary.reset();
            file->problem = "its page could not be written";
            status = 1;
            continue;
        }
        out << "Report: " << pathToUtf8(file->page) << "\n\n";
        printConsoleSummary(*file->summary, out, bands);
        out << '\n';
    }

    // The most recently played account first; those without a match after them, by id.
    std::vector<std::size_t> order(accounts.size());
    for (std::size_t at = 0; at < order.size(); ++at)
        order[at] = at;
    std::vector<std::optional<std::int64_t>> last(accounts.size());
    for (std::size_t at = 0; at < accounts.size(); ++at)
        last[at] = lastPlayed({accounts[at].statsFile ? &read[at].first : nullptr,
                               accounts[at].rescueFile ? &read[at].second : nullptr});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return last[a].value_or(INT64_MIN) > last[b].value_or(INT64_MIN);
    });
    Json listed = Json::array();
    for (const std::size_t at : order) {
        listed.push_back(Json{
            {"playerId", accounts[at].playerId},
            {"stats", accounts[at].statsFile ? fileJson(read[at].first) : missingStatsFileJson(accounts[at])},
            {"rescue", accounts[at].rescueFile ? fileJson(read[at].second) : Json(nullptr)},
        });
    }
    std::error_code unknown;
    fs::path shownFolder = fs::absolute(options.input, unknown).lexically_normal();
    if (shownFolder.filename().empty())
        shownFolder = shownFolder.parent_path();
    const Json index{
        {"folder", pathToUtf8(shownFolder.filename())},
        {"now", now},
        {"accounts", std::move(listed)},
    };
    if (!writeReportOutput(options.page, indexPage(jsonText(index)), err))
        return 1;
    out << "Index:  " << pathToUtf8(options.page) << " (" << accounts.size()
        << (accounts.size() == 1 ? " account)\n" : " accounts)\n");
    return status;
}
