#include "hostsim/DataFolder.h"

#include <chrono>
#include <random>
#include <string>

std::filesystem::path prepareDataFolder(const std::optional<std::filesystem::path>& requested) {
    namespace fs = std::filesystem;
    if (requested) {
        fs::create_directories(*requested);
        return fs::absolute(*requested);
    }
    std::mt19937_64 random(
        static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        std::random_device{}());
    for (int attempt = 0;; ++attempt) {
        fs::path candidate =
            fs::temp_directory_path() / ("hostsim-" + std::to_string(random() % 1000000000000ULL));
        if (fs::create_directory(candidate) || attempt > 100)
            return candidate;
    }
}
