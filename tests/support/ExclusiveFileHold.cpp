#include "tests/support/ExclusiveFileHold.h"

#if defined(_WIN32)

#include <windows.h>

ExclusiveFileHold::ExclusiveFileHold(const std::filesystem::path& file) {
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE)
        handle_ = handle;
}

void ExclusiveFileHold::release() {
    if (handle_)
        CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
}

#endif
