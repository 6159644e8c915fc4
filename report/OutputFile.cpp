#include "report/OutputFile.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

std::string errnoReason(int error) {
    return std::generic_category().message(error);
}

#ifdef _WIN32
int openNew(const std::filesystem::path& path) {
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
int writeSome(int file, const char* bytes, std::size_t count) {
    constexpr std::size_t kMostAtOnce = 1 << 30;
    return _write(file, bytes, static_cast<unsigned int>(count < kMostAtOnce ? count : kMostAtOnce));
}
int flushToDisk(int file) {
    return _commit(file);
}
int closeFile(int file) {
    return _close(file);
}
// MoveFileEx replaces an existing target, as rename() does on POSIX systems.
std::optional<std::string> renameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return std::nullopt;
    std::string reason = std::system_category().message(static_cast<int>(GetLastError()));
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    return reason;
}
#else
int openNew(const std::filesystem::path& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
int writeSome(int file, const char* bytes, std::size_t count) {
    return static_cast<int>(::write(file, bytes, count < (1U << 30) ? count : (1U << 30)));
}
int flushToDisk(int file) {
    return ::fsync(file);
}
int closeFile(int file) {
    return ::close(file);
}
std::optional<std::string> renameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (std::rename(from.c_str(), to.c_str()) == 0)
        return std::nullopt;
    return errnoReason(errno);
}
#endif

// A name beside the target that no other writer uses at the same moment: opening it fails if it exists.
std::filesystem::path temporaryBeside(const std::filesystem::path& target, unsigned attempt) {
    const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
    std::filesystem::path name(".");
    name += target.filename();
    name += ".tmp-" + std::to_string(tick % 1000000007) + "-" + std::to_string(attempt);
    return target.parent_path() / name;
}

// Writes all of `bytes` to the open `file` and flushes them to the disk; the reason when it cannot.
std::optional<std::string> writeAll(int file, std::string_view bytes) {
    while (!bytes.empty()) {
        const int written = writeSome(file, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errnoReason(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (flushToDisk(file) != 0)
        return errnoReason(errno);
    return std::nullopt;
}

} // namespace

std::optional<std::string> replaceFileWith(const std::filesystem::path& target, std::string_view bytes) {
    constexpr unsigned kAttempts = 16;
    std::filesystem::path temporary;
    int file = -1;
    for (unsigned attempt = 0; file < 0 && attempt < kAttempts; ++attempt) {
        temporary = temporaryBeside(target, attempt);
        file = openNew(temporary);
        if (file < 0 && errno != EEXIST)
            return errnoReason(errno);
    }
    if (file < 0)
        return errnoReason(EEXIST);
    std::optional<std::string> failure = writeAll(file, bytes);
    if (closeFile(file) != 0 && !failure)
        failure = errnoReason(errno);
    if (!failure)
        failure = renameOver(temporary, target);
    if (failure) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
    }
    return failure;
}
