#include "live/OpenedFile.h"

#include <windows.h>

#include <algorithm>
#include <system_error>

namespace {

std::string systemMessage(DWORD error) {
    return std::system_category().message(static_cast<int>(error));
}

} // namespace

OpenedFile::OpenedFile(const std::filesystem::path& path) {
    // Shares reading, writing and deleting: the plugin appends, a spreadsheet replaces, a player deletes.
    // Backup semantics lets a folder open, so it is told apart from a file that cannot be read.
    HANDLE handle =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        facts_.kind = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileKind::Missing
                                                                                     : FileKind::Unreadable;
        facts_.problem = systemMessage(error);
        return;
    }
    handle_ = handle;
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        facts_.kind = FileKind::Other;
        close();
        return;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(handle, &information)) {
        facts_.kind = FileKind::Unreadable;
        facts_.problem = systemMessage(GetLastError());
        close();
        return;
    }
    facts_.volume = information.dwVolumeSerialNumber;
    facts_.index = (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        facts_.kind = FileKind::Folder;
        close();
        return;
    }
    facts_.kind = FileKind::Regular;
    facts_.size = (static_cast<std::uint64_t>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    facts_.modified = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(information.ftLastWriteTime.dwHighDateTime) << 32) |
        information.ftLastWriteTime.dwLowDateTime);
}

OpenedFile::~OpenedFile() {
    close();
}

void OpenedFile::close() {
    if (handle_)
        CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
}

std::optional<std::size_t> OpenedFile::readAt(std::uint64_t offset, char* into, std::size_t size) {
    if (!handle_)
        return std::nullopt;
    std::size_t got = 0;
    while (got < size) {
        OVERLAPPED at{};
        const std::uint64_t position = offset + got;
        at.Offset = static_cast<DWORD>(position & 0xFFFFFFFFu);
        at.OffsetHigh = static_cast<DWORD>(position >> 32);
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size - got, 1u << 30));
        DWORD read = 0;
        if (!ReadFile(static_cast<HANDLE>(handle_), into + got, wanted, &read, &at)) {
            if (GetLastError() == ERROR_HANDLE_EOF)
                break;
            return std::nullopt;
        }
        if (read == 0)
            break;
        got += read;
    }
    return got;
}
