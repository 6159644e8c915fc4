// A file hostsim writes (the trace, the picture). It is written to a temporary file beside the
// target and renamed into place only when complete, so a failed write leaves the old file as it was
// and no half-written one. A device such as /dev/stdout is written directly, since it cannot be
// replaced. Every write is checked: a full disk or a failing device is a failure, never a success.
#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>

class OutputFile {
public:
    // Checks the target and opens the temporary file at once, so that a missing or read-only folder
    // or a folder in the target's place is refused (exit 2) before anything runs. `what` names the
    // file in messages ("the trace file").
    OutputFile(const std::filesystem::path& target, std::string what);
    // Removes the temporary file unless the output was committed.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void write(const char* data, std::size_t size);
    void write(const std::string& text) { write(text.data(), text.size()); }
    // Completes the file and puts it in place; throws HostsimError (OutputFailed) saying why when any
    // write failed or the file cannot be put in place.
    void commit();

    const std::filesystem::path& target() const { return target_; }

private:
    std::filesystem::path target_;  // as the user named it
    std::filesystem::path written_; // where the bytes go: a temporary file, or the device itself
    std::filesystem::path final_;   // where a temporary file is renamed to (a link's target)
    std::string what_;
    std::FILE* file_ = nullptr;
    int firstError_ = 0;
    bool direct_ = false;
    bool committed_ = false;
};

// Whether two paths name the same file, directly or through links, whether or not it exists yet.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);
