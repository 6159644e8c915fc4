// Linux only: lets this process write files only up to a size, as a full disk would: a write beyond it
// fails part-way (EFBIG) instead of stopping the process with SIGXFSZ.
#pragma once

#if defined(__linux__)

#include <csignal>
#include <sys/resource.h>

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        if (getrlimit(RLIMIT_FSIZE, &saved_) != 0)
            return;
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        applied_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
        if (!applied_)
            std::signal(SIGXFSZ, previousHandler_);
    }
    ~FileSizeLimit() { lift(); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // Whether the limit took effect.
    bool applied() const { return applied_; }
    // Gives the process its former limit and signal handling back; false if the limit could not be
    // lifted. Lifting twice does nothing more.
    bool lift() {
        if (!applied_)
            return true;
        const bool lifted = setrlimit(RLIMIT_FSIZE, &saved_) == 0;
        std::signal(SIGXFSZ, previousHandler_);
        applied_ = false;
        return lifted;
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
    bool applied_ = false;
};

#endif
