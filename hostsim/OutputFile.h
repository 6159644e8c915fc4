// A file hostsim writes (the trace, the picture): whole or not at all, through the programs' one
// whole-file writer (toolkit/WholeFile.h), so a failed write leaves the old file as it was and no
// half-written one. A device such as /dev/stdout is written directly, since it cannot be replaced.
// Every write is checked: a full disk or a failing device is a failure, never a success.
#pragma once

#include "toolkit/WholeFile.h"

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

class OutputFile {
public:
    // Checks the target and opens the temporary file at once, so that a missing or read-only folder
    // or a folder in the target's place is refused (exit 2) before anything runs. `what` names the
    // file in messages ("the trace file").
    OutputFile(const std::filesystem::path& target, std::string what);
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
    [[noreturn]] void fail(const std::error_code& reason) const;

    std::filesystem::path target_; // as the user named it
    std::string what_;
    std::unique_ptr<WholeFileWriter> file_; // a file, replaced whole
    std::FILE* device_ = nullptr;           // a device or a pipe, written as it is
    int deviceError_ = 0;
};
