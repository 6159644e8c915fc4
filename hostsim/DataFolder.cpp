#include "hostsim/DataFolder.h"

#include "hostsim/DisplayText.h"
#include "hostsim/HostsimError.h"

#include <chrono>
#include <random>
#include <string>

std::filesystem::path prepareDataFolder(const std::optional<std::filesystem::path>& requested) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (requested) {
        fs::create_directories(*requested, error);
        if (error || !fs::is_directory(*requested, error))
            refuse("cannot use the data folder " + displayPath(*requested) + ": " +
                   (error ? reasonText(error) : std::string("it is not a folder")));
        return fs::absolute(*requested, error);
    }
    const fs::path temporary = fs::temp_directory_path(error);
    if (error)
        refuse("cannot make a data folder: no temporary folder (" + reasonText(error) + ")");
    std::mt19937_64 random(
        static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        std::random_device{}());
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = temporary / ("hostsim-" + std::to_string(random() % 1000000000000ULL));
        if (fs::create_directory(candidate, error))
            return candidate;
        if (error)
            break;
    }
    refuse("cannot make a data folder in " + displayPath(temporary) +
           (error ? ": " + reasonText(error) : std::string()));
}
