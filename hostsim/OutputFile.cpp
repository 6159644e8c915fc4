#include "hostsim/OutputFile.h"

#include "hostsim/DisplayText.h"
#include "hostsim/HostsimError.h"

#include <cerrno>

namespace fs = std::filesystem;

namespace {

std::FILE* openDevice(const fs::path& device) {
#if defined(_WIN32)
    return _wfopen(device.c_str(), L"wb");
#else
    return std::fopen(device.c_str(), "wb");
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
        errno = 0;
        device_ = openDevice(absolute);
        if (!device_) {
            const int reason = errno;
            refuseTarget(reason != 0 ? reasonText(std::error_code(reason, std::generic_category()))
                                     : "it cannot be created");
        }
        return;
    }
    file_ = std::make_unique<WholeFileWriter>(absolute);
    if (const std::error_code failure = file_->failure()) {
        const fs::path folder = file_->replaced().parent_path();
        if (!fs::is_directory(folder, error))
            refuseTarget("the folder " + displayPath(folder) + " does not exist");
        refuseTarget(reasonText(failure));
    }
}

OutputFile::~OutputFile() {
    if (device_)
        std::fclose(device_);
}

void OutputFile::write(const char* data, std::size_t size) {
    if (file_) {
        file_->write(std::string_view(data, size));
        return;
    }
    if (!device_ || deviceError_ != 0 || size == 0)
        return;
    errno = 0;
    if (std::fwrite(data, 1, size, device_) != size)
        deviceError_ = errno != 0 ? errno : EIO;
}

void OutputFile::fail(const std::error_code& reason) const {
    throw HostsimError(ExitStatus::OutputFailed,
                       "cannot write " + what_ + " " + displayPath(target_) + ": " + reasonText(reason));
}

void OutputFile::commit() {
    if (file_) {
        if (const std::error_code failure = file_->commit())
            fail(failure);
        return;
    }
    if (!device_)
        return;
    errno = 0;
    if (std::fflush(device_) != 0 && deviceError_ == 0)
        deviceError_ = errno != 0 ? errno : EIO;
    errno = 0;
    const int closed = std::fclose(device_);
    device_ = nullptr;
    if (closed != 0 && deviceError_ == 0)
        deviceError_ = errno != 0 ? errno : EIO;
    if (deviceError_ != 0)
        fail(std::error_code(deviceError_, std::generic_category()));
}
