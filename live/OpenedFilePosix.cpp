#include "live/OpenedFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

OpenedFile::OpenedFile(const std::filesystem::path& path) {
    descriptor_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor_ < 0) {
        const int error = errno;
        facts_.kind = error == ENOENT || error == ENOTDIR ? FileKind::Missing : FileKind::Unreadable;
        facts_.problem = std::generic_category().message(error);
        return;
    }
    struct stat status {};
    if (::fstat(descriptor_, &status) != 0) {
        facts_.kind = FileKind::Unreadable;
        facts_.problem = std::generic_category().message(errno);
        close();
        return;
    }
    facts_.volume = static_cast<std::uint64_t>(status.st_dev);
    facts_.index = static_cast<std::uint64_t>(status.st_ino);
    if (S_ISDIR(status.st_mode)) {
        facts_.kind = FileKind::Folder;
        close();
        return;
    }
    if (!S_ISREG(status.st_mode)) {
        facts_.kind = FileKind::Other;
        close();
        return;
    }
    facts_.kind = FileKind::Regular;
    facts_.size = static_cast<std::uint64_t>(status.st_size);
    facts_.modified =
        static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
}

OpenedFile::~OpenedFile() {
    close();
}

void OpenedFile::close() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
    descriptor_ = -1;
}

std::optional<std::size_t> OpenedFile::readAt(std::uint64_t offset, char* into, std::size_t size) {
    if (descriptor_ < 0)
        return std::nullopt;
    std::size_t got = 0;
    while (got < size) {
        const ssize_t read = ::pread(descriptor_, into + got, size - got, static_cast<off_t>(offset + got));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return std::nullopt;
        if (read == 0)
            break;
        got += static_cast<std::size_t>(read);
    }
    return got;
}
