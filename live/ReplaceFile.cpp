#include "live/ReplaceFile.h"

#include <fstream>
#include <system_error>

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace {

// Renames `from` over `to`, replacing it.
bool renameOver(const std::filesystem::path& from, const std::filesystem::path& to, std::string& problem) {
#if defined(_WIN32)
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    problem = std::system_category().message(static_cast<int>(GetLastError()));
    return false;
#else
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (error)
        problem = error.message();
    return !error;
#endif
}

} // namespace

std::filesystem::path besideName(const std::filesystem::path& target) {
    std::filesystem::path beside = target;
    beside += ".new";
    return beside;
}

bool replaceWhole(const std::filesystem::path& target, std::string_view content, std::string& problem) {
    const std::filesystem::path beside = besideName(target);
    {
        std::ofstream out(beside, std::ios::binary | std::ios::trunc);
        if (!out.is_open()) {
            problem = "cannot be created";
            return false;
        }
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (out.fail()) {
            problem = "cannot be written (disk full?)";
            std::error_code ignored;
            std::filesystem::remove(beside, ignored);
            return false;
        }
    }
    if (renameOver(beside, target, problem))
        return true;
    std::error_code ignored;
    std::filesystem::remove(beside, ignored);
    return false;
}
