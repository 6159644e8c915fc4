#include "hostsim/InputFile.h"

#include "hostsim/DisplayText.h"
#include "hostsim/HostsimError.h"

#include <cerrno>
#include <cstdio>
#include <memory>

namespace fs = std::filesystem;

namespace {

[[noreturn]] void refuseFile(const fs::path& file, const std::string& what, const std::string& reason) {
    refuse("cannot read " + what + " " + displayPath(file) + ": " + reason);
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::unique_ptr<std::FILE, FileCloser> openForReading(const fs::path& file) {
#if defined(_WIN32)
    return std::unique_ptr<std::FILE, FileCloser>(_wfopen(file.c_str(), L"rb"));
#else
    return std::unique_ptr<std::FILE, FileCloser>(std::fopen(file.c_str(), "rb"));
#endif
}

} // namespace

void requireRegularFile(const fs::path& file, const std::string& what) {
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    switch (status.type()) {
    case fs::file_type::regular:
        return;
    case fs::file_type::not_found:
        refuseFile(file, what, reasonText(std::make_error_code(std::errc::no_such_file_or_directory)));
    case fs::file_type::directory:
        refuseFile(file, what, "it is a folder, not a file");
    case fs::file_type::none:
    case fs::file_type::unknown:
        refuseFile(file, what, error ? reasonText(error) : "its type cannot be told");
    default:
        refuseFile(file, what, "it is not a regular file (a device, a pipe or a socket)");
    }
}

std::string readRegularFile(const fs::path& file, std::uintmax_t maxBytes, const std::string& what) {
    requireRegularFile(file, what);
    std::error_code error;
    const std::uintmax_t size = fs::file_size(file, error);
    if (error)
        refuseFile(file, what, reasonText(error));
    if (size > maxBytes)
        refuseFile(file, what,
                   "it holds " + std::to_string(size) + " bytes, more than the " + std::to_string(maxBytes) +
                       " this program reads");
    errno = 0;
    auto in = openForReading(file);
    if (!in)
        refuseFile(file, what, reasonText(std::error_code(errno, std::generic_category())));
    // Reads on until the end, stopping one chunk past the bound, so a file that grows while it is read
    // cannot fill the memory either.
    std::string content;
    content.reserve(static_cast<std::size_t>(size));
    char chunk[1 << 16];
    for (;;) {
        const std::size_t read = std::fread(chunk, 1, sizeof chunk, in.get());
        content.append(chunk, read);
        if (content.size() > maxBytes)
            refuseFile(file, what, "it grew past " + std::to_string(maxBytes) + " bytes while being read");
        if (read < sizeof chunk)
            break;
    }
    if (std::ferror(in.get()))
        refuseFile(file, what, reasonText(std::error_code(errno, std::generic_category())));
    return content;
}
