// The report of a folder of stats files (a data folder where several accounts played): the page of each
// account's stats file beside it, as for one file, and an index page of the accounts linking to them.
//
// A stats file is "<player id>_Tallyglass.csv" (statsfile/FileName.h). A rescue file beside it
// ("<player id>_Tallyglass_rescued.csv", the matches recorded while the stats file was no text) gets its
// page too and is listed under its account, its figures apart from the stats file's: a row's figures are
// those of its one file.
#pragma once

#include "report/ReportOptions.h"
#include "toolkit/RatingBands.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// One account's files in the folder.
struct AccountFiles {
    std::string playerId;
    std::optional<std::filesystem::path> statsFile;
    std::optional<std::filesystem::path> rescueFile;
};

// The accounts whose files the folder holds (not its subfolders), by player id. Throws
// std::filesystem::filesystem_error when the folder cannot be listed.
std::vector<AccountFiles> accountFilesIn(const std::filesystem::path& folder);

// Exit status: 0 every page and the index written; 2 a folder without a stats file (nothing written),
// or one whose stats files could not all be read (the others' pages and the index are written); 1 an
// output that could not be written.
int reportFolder(const ReportOptions& options, const RatingBands& bands, std::int64_t now, std::ostream& out,
                 std::ostream& err);
