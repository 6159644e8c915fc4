#include "live/LiveProgram.h"

#include "live/LiveOptions.h"
#include "live/LivePages.h"
#include "live/LiveView.h"
#include "live/OpenedFile.h"
#include "live/StatsFollower.h"
#include "statsfile/PathText.h"
#include "toolkit/SameFile.h"
#include "toolkit/WholeFile.h"

#include <chrono>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr const char* kProgram = "tallyglass-live: ";

std::string shown(const fs::path& path) {
    return pathToUtf8(path);
}

// The stats file's path must name a file, or where one will appear: a folder or a device is refused,
// and so is a path whose folder does not exist.
bool statsPathUsable(const LiveOptions& options, std::ostream& err) {
    const OpenedFile file(options.statsFile);
    const std::string name = shown(options.statsFile);
    switch (file.facts().kind) {
    case FileKind::Folder:
        err << kProgram << name << ": is a folder, not a stats file\n";
        return false;
    case FileKind::Other:
        err << kProgram << name << ": is not a regular file (a device or a pipe?)\n";
        return false;
    case FileKind::Missing: {
        const fs::path folder =
            options.statsFile.parent_path().empty() ? fs::path(".") : options.statsFile.parent_path();
        std::error_code error;
        if (!fs::is_directory(folder, error)) {
            err << kProgram << name << ": its folder " << shown(folder) << " does not exist\n";
            return false;
        }
        return true;
    }
    case FileKind::Regular:
    case FileKind::Unreadable:
        return true;
    }
    return true;
}

// The output folder, created when missing, must take a file; no output may be the stats file itself.
bool outFolderUsable(const LiveOptions& options, std::ostream& err) {
    const fs::path& folder = options.outFolder;
    const std::string name = shown(folder);
    std::error_code error;
    const fs::file_status status = fs::status(folder, error);
    if (fs::exists(status) && !fs::is_directory(status)) {
        err << kProgram << "--out " << name << ": is not a folder\n";
        return false;
    }
    for (const std::string& output : liveViewFileNames()) {
        if (sameFile(folder / output, options.statsFile)) {
            err << kProgram << shown(folder / output)
                << ": is the stats file itself; it is never overwritten\n";
            return false;
        }
    }
    const bool created = !fs::exists(status);
    if (created && !fs::create_directories(folder, error) && error) {
        err << kProgram << "--out " << name << ": cannot be created: " << error.message() << '\n';
        return false;
    }
    const fs::path probe = folder / ".tallyglass-live-probe";
    if (const std::optional<std::string> problem = replaceFileWith(probe, "")) {
        err << kProgram << "--out " << name << ": cannot be written: " << *problem << '\n';
        if (created)
            fs::remove(folder, error);
        return false;
    }
    fs::remove(probe, error);
    return true;
}

} // namespace

std::int64_t systemClock() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

int runLive(const std::vector<std::string>& arguments, LiveSurroundings& surroundings) {
    std::string optionsError;
    const std::optional<LiveOptions> options = parseLiveOptions(arguments, optionsError);
    if (!options) {
        surroundings.err << kProgram << optionsError << '\n' << kLiveUsage;
        return 2;
    }
    if (options->help) {
        surroundings.out << kLiveUsage;
        return 0;
    }
    if (!statsPathUsable(*options, surroundings.err))
        return 2;
    LiveView view(*options, surroundings);
    // The bands file is read before anything is written: one that cannot be used writes nothing.
    if (!view.readBands())
        return 2;
    // With --once the file is read before anything is written: one that is no stats file writes nothing.
    if (options->once && !view.readWhole())
        return 2;
    if (!outFolderUsable(*options, surroundings.err))
        return 2;
    return options->once ? view.writeOnce() : view.follow();
}
