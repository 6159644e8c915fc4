#include "live/AccountFiles.h"

#include "statsfile/FileName.h"
#include "statsfile/PathText.h"

#include <system_error>

namespace fs = std::filesystem;

std::vector<AccountFile> accountFilesIn(const fs::path& folder) {
    std::vector<AccountFile> files;
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        const fs::directory_entry& entry = *entries;
        std::string name;
        try {
            name = pathToUtf8(entry.path().filename());
        } catch (const std::exception&) {
            continue; // a name that is no text (a lone surrogate on Windows) is no stats file of ours
        }
        std::optional<std::string> account = playerIdOfAccountFileName(name);
        std::error_code entryError;
        if (!account || !entry.is_regular_file(entryError))
            continue;
        const fs::file_time_type modified = entry.last_write_time(entryError);
        if (entryError)
            continue; // gone between the listing and the look
        files.push_back(AccountFile{entry.path(), std::move(*account), modified});
    }
    return files;
}

std::optional<AccountFile> fileToFollow(const std::vector<AccountFile>& files, const fs::path& followed) {
    const auto ownName = [](const AccountFile& file) {
        try {
            return playerIdOfStatsFileName(pathToUtf8(file.path.filename())).has_value();
        } catch (const std::exception&) {
            return false;
        }
    };
    // Whether `one` is to be followed rather than `other`.
    const auto rather = [&](const AccountFile& one, const AccountFile& other) {
        if (one.modified != other.modified)
            return one.modified > other.modified;
        if (!followed.empty() && (one.path == followed) != (other.path == followed))
            return one.path == followed;
        if (ownName(one) != ownName(other))
            return ownName(one);
        return one.path.filename() < other.path.filename();
    };
    std::optional<AccountFile> chosen;
    for (const AccountFile& file : files)
        if (!chosen || rather(file, *chosen))
            chosen = file;
    return chosen;
}
