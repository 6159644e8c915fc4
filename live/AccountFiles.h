// The stats files of a data folder, one account's or several: which one to follow. Every file named by
// the account-file rule (statsfile/FileName.h: "<player id>_Tallyglass.csv", and "<player
// id>_Tallyglass<more>.csv" such as the rescue file) is a candidate; the one changed last is followed,
// and another is taken as soon as it changes later. Equal times keep the file followed; at the start they
// prefer a stats file's own name, then the first name.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct AccountFile {
    std::filesystem::path path;
    std::string account; // the player id from the file's name
    std::filesystem::file_time_type modified;
};

// The candidates in `folder`, in no particular order; none when it cannot be listed.
std::vector<AccountFile> accountFilesIn(const std::filesystem::path& folder);

// The file to follow among `files`, given the one followed now (empty: none yet); none when there is no
// candidate.
std::optional<AccountFile> fileToFollow(const std::vector<AccountFile>& files,
                                        const std::filesystem::path& followed);
