#include "toolkit/WholeFile.h"

#include <cerrno>
#include <chrono>
#include <cstdio>

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::error_code lastError() {
    return std::error_code(errno != 0 ? errno : EIO, std::generic_category());
}

#ifdef _WIN32
int openNew(const fs::path& path) {
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
std::error_code renameOver(const fs::path& from, const fs::path& to) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    return std::error_code(static_cast<int>(GetLastError()), std::system_category());
}
#else
int openNew(const fs::path& path) {
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
std::error_code renameOver(const fs::path& from, const fs::path& to) {
    if (std::rename(from.c_str(), to.c_str()) == 0)
        return {};
    return lastError();
}
#endif

// The file a write to `target` replaces: through links, the file they point to.
fs::path replacedFile(const fs::path& target) {
    std::error_code error;
    fs::path absolute = fs::absolute(target, error);
    if (error)
        return target;
    fs::path resolved = fs::weakly_canonical(absolute, error);
    return error || resolved.empty() ? absolute : resolved;
}

// A name beside the target that no other writer uses at the same moment: opening it fails if it exists.
fs::path temporaryBeside(const fs::path& target, unsigned attempt) {
    const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path name(".");
    name += target.filename();
    name += ".tmp-" + std::to_string(tick % 1000000007) + "-" + std::to_string(attempt);
    return target.parent_path() / name;
}

} // namespace

WholeFileWriter::WholeFileWriter(const fs::path& target)
    : final_(replacedFile(target)) {
    constexpr unsigned kAttempts = 16;
    for (unsigned attempt = 0; file_ < 0 && attempt < kAttempts; ++attempt) {
        const fs::path candidate = temporaryBeside(final_, attempt);
        errno = 0;
        file_ = openNew(candidate);
        if (file_ >= 0)
            temporary_ = candidate;
        else if (errno != EEXIST)
            break;
    }
    if (file_ < 0)
        failure_ = lastError();
}

WholeFileWriter::~WholeFileWriter() {
    if (file_ >= 0)
        closeFile(file_);
    // Only the file this writer made is removed, never one of the same name that another writer holds.
    if (!committed_ && !temporary_.empty()) {
        std::error_code ignored;
        fs::remove(temporary_, ignored);
    }
}

void WholeFileWriter::write(std::string_view bytes) {
    constexpr std::size_t kBuffered = 1 << 16;
    if (failure_)
        return;
    if (pending_.size() + bytes.size() <= kBuffered) {
        pending_.append(bytes);
        return;
    }
    flushPending();
    writeAll(bytes);
}

void WholeFileWriter::flushPending() {
    writeAll(pending_);
    pending_.clear();
}

void WholeFileWriter::writeAll(std::string_view bytes) {
    while (!failure_ && !bytes.empty()) {
        errno = 0;
        const int written = writeSome(file_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno != EINTR)
                failure_ = lastError();
            continue;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

std::error_code WholeFileWriter::commit() {
    if (committed_ || file_ < 0)
        return failure_;
    flushPending();
    errno = 0;
    if (!failure_ && flushToDisk(file_) != 0)
        failure_ = lastError();
    errno = 0;
    const int closed = closeFile(file_);
    file_ = -1;
    if (closed != 0 && !failure_)
        failure_ = lastError();
    if (!failure_)
        failure_ = renameOver(temporary_, final_);
    committed_ = !failure_;
    return failure_;
}

std::optional<std::string> replaceFileWith(const fs::path& target, std::string_view bytes) {
    WholeFileWriter writer(target);
    writer.write(bytes);
    if (const std::error_code failure = writer.commit())
        return systemReason(failure);
    return std::nullopt;
}

std::string systemReason(const std::error_code& error) {
    std::string reason = error.message();
    while (!reason.empty() &&
           (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ' || reason.back() == '.'))
        reason.pop_back();
    return reason;
}
