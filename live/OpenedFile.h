// The stats file opened for reading, the way the live view looks at it once a second: open, learn what it
// is (its identity, size and time of change, from the open handle), read what is needed, close. It is
// opened sharing everything, so the plugin appending to it and a program replacing or deleting it are
// never hindered. A device or a pipe is never read; a FIFO is opened without waiting for a writer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

enum class FileKind { Missing, Regular, Folder, Other, Unreadable };

struct FileFacts {
    FileKind kind = FileKind::Missing;
    std::string problem; // the system's reason, for Unreadable
    // Which file it is: the same two numbers mean the same file, even after a rename.
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0; // in the system's own units

    bool sameFileAs(const FileFacts& other) const { return volume == other.volume && index == other.index; }
};

class OpenedFile {
public:
    explicit OpenedFile(const std::filesystem::path& path);
    ~OpenedFile();
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;

    // Missing, Unreadable (not opened), or what the open file is; only a Regular one stays open.
    const FileFacts& facts() const { return facts_; }

    // Up to `size` bytes at `offset` into `into`; how many were read (fewer at the end), or none when the
    // read failed.
    std::optional<std::size_t> readAt(std::uint64_t offset, char* into, std::size_t size);

private:
    void close();

    FileFacts facts_;
#if defined(_WIN32)
    void* handle_ = nullptr;
#else
    int descriptor_ = -1;
#endif
};
