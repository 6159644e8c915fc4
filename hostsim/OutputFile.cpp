#include "hostsim/OutputFile.h"

#include "hostsim/DisplayText.h"
#include "hostsim/HostsimError.h"
#include "plugin/PathText.h"

#include <cerrno>
#include <random>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

std::FILE* openForWriting(const fs::path& file, bool exclusive) {
#if defined(_WIN32)
    static_cast<void>(exclusive);
    return _wfopen(file.c_str(), L"wb");
#else
    return std::fopen(file.c_str(), exclusive ? "wbx" : "wb");
#endif
}

std::string temporaryName(const fs::path& target) {
    std::random_device random;
    // Built by appending to one string: GCC 12 at -O3 reports a false -Wrestrict overlap for a
    // literal + std::string concatenation here.
    std::string text(".");
    text.append(pathToUtf8(target.filename()));
    text.append(".hostsim-");
    text.append(std::to_string(random()));
    text.append(".tmp");
    return text;
}

std::error_code renameOver(const fs::path& from, const fs::path& to) {
#if defined(_WIN32)
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING))
        return {};
    return std::error_code(static_cast<int>(GetLastError()), std::system_category());
#else
    std::error_code error;
    fs::rename(from, to, error);
    return error;
#endif
}

} // namespace

OutputFile::OutputFile(const fs::path& target, std::string what)
    : target_(target)
    , what_(std::move(what)) {
    auto refuseTarget = [&](const std::string& reason) {
        refuse("cannot write " + what_ + " " + displayPath(target_) + ": " + reason);
    };
    std::error_code error;
    const fs::path absolute = fs::absolute(target_, error);
    const fs::file_status status = fs::status(absolute, error);
    if (fs::is_directory(status))
        refuseTarget("it is a folder");
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        // A device or a pipe: written as it is, as the user asked.
        direct_ = true;
        written_ = absolute;
    } else {
        // Through a link the file it points to is replaced, the link stays.
        final_ = fs::weakly_canonical(absolute, error);
        if (error || final_.empty())
            final_ = absolute;
        const fs::path folder = final_.parent_path();
        if (!fs::is_directory(folder, error))
            refuseTarget("the folder " + displayPath(folder) + " does not exist");
        written_ = folder / pathFromUtf8(temporaryName(final_));
    }
    errno = 0;
    file_ = openForWriting(written_, !direct_);
    if (!file_) {
        const int reason = errno;
        refuseTarget(reason != 0 ? reasonText(std::error_code(reason, std::generic_category()))
                                 : "it cannot be created");
    }
}

OutputFile::~OutputFile() {
    if (file_)
        std::fclose(file_);
    if (!direct_ && !committed_) {
        std::error_code ignored;
        fs::remove(written_, ignored);
    }
}

void OutputFile::write(const char* data, std::size_t size) {
    if (!file_ || firstError_ != 0 || size == 0)
        return;
    errno = 0;
    if (std::fwrite(data, 1, size, file_) != size)
        firstError_ = errno != 0 ? errno : EIO;
}

void OutputFile::commit() {
    auto fail = [&](int reason) {
        throw HostsimError(ExitStatus::OutputFailed,
                           "cannot write " + what_ + " " + displayPath(target_) + ": " +
                               reasonText(std::error_code(reason, std::generic_category())));
    };
    if (!file_)
        return;
    errno = 0;
    if (std::fflush(file_) != 0 && firstError_ == 0)
        firstError_ = errno != 0 ? errno : EIO;
    errno = 0;
    const int closed = std::fclose(file_);
    file_ = nullptr;
    if (closed != 0 && firstError_ == 0)
        firstError_ = errno != 0 ? errno : EIO;
    if (firstError_ != 0)
        fail(firstError_);
    if (direct_) {
        committed_ = true;
        return;
    }
    if (const std::error_code error = renameOver(written_, final_))
        throw HostsimError(ExitStatus::OutputFailed, "cannot put " + what_ + " in place at " +
                                                         displayPath(target_) + ": " + reasonText(error));
    committed_ = true;
}

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    if (fs::exists(a, error) && fs::exists(b, error)) {
        const bool same = fs::equivalent(a, b, error);
        if (!error)
            return same;
    }
    const fs::path left = fs::weakly_canonical(fs::absolute(a, error), error);
    const fs::path right = fs::weakly_canonical(fs::absolute(b, error), error);
    return !left.empty() && left == right;
}
