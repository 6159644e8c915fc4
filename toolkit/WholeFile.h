// Writing a file whole or not at all: the bytes go to a new temporary file beside the target, which is
// flushed to the disk and renamed over the target only once all of it is written. A failure (disk full,
// a size limit, no such folder, no permission) leaves the target as it was and no temporary file behind.
// Through a link, the file it points to is replaced and the link stays.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

class WholeFileWriter {
public:
    // Opens the temporary file at once, so a caller can refuse a target that cannot be written before
    // it does any work: failure() then says why.
    explicit WholeFileWriter(const std::filesystem::path& target);
    // Removes the temporary file unless it was put in place.
    ~WholeFileWriter();
    WholeFileWriter(const WholeFileWriter&) = delete;
    WholeFileWriter& operator=(const WholeFileWriter&) = delete;

    // The first failure so far, if any; after one, writes do nothing.
    const std::error_code& failure() const { return failure_; }
    // The file a commit replaces: the target, or through links the file they point to.
    const std::filesystem::path& replaced() const { return final_; }

    // Buffered: many small writes cost few system calls.
    void write(std::string_view bytes);
    // Flushes, closes and renames the file over the target: nothing when the target now holds every
    // byte written, else the first failure (and the target is as it was).
    std::error_code commit();

private:
    void flushPending();
    void writeAll(std::string_view bytes);

    std::filesystem::path final_;
    std::filesystem::path temporary_; // where the bytes go until they are complete
    std::string pending_;             // written bytes not yet handed to the system
    int file_ = -1;
    std::error_code failure_;
    bool committed_ = false;
};

// Nothing when `target` now holds `bytes`; else the system's reason ("No space left on device").
std::optional<std::string> replaceFileWith(const std::filesystem::path& target, std::string_view bytes);

// The system's reason for `error` as a person reads it inside a sentence: without the full stop and
// line break that Windows' messages end in ("Access is denied").
std::string systemReason(const std::error_code& error);
