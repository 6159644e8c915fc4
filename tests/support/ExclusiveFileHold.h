// Windows only: holds a file open with no sharing, as a spreadsheet does, until released.
#pragma once

#if defined(_WIN32)

#include <filesystem>

class ExclusiveFileHold {
public:
    explicit ExclusiveFileHold(const std::filesystem::path& file);
    ~ExclusiveFileHold() { release(); }
    ExclusiveFileHold(const ExclusiveFileHold&) = delete;
    ExclusiveFileHold& operator=(const ExclusiveFileHold&) = delete;

    bool held() const { return handle_ != nullptr; }
    void release();

private:
    void* handle_ = nullptr;
};

#endif
