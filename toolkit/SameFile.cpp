#include "toolkit/SameFile.h"

#include <system_error>

namespace fs = std::filesystem;

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    // Two files that exist are one when the system says so (hard links too).
    if (fs::exists(a, error) && fs::exists(b, error)) {
        const bool same = fs::equivalent(a, b, error);
        if (!error)
            return same;
    }
    // Else by their full paths with the links and dot folders resolved as far as they exist: a
    // relative path is taken from the working folder, as opening it would.
    const fs::path left = fs::weakly_canonical(fs::absolute(a, error), error);
    const fs::path right = fs::weakly_canonical(fs::absolute(b, error), error);
    return !left.empty() && left == right;
}
