#include "fuzz/FuzzHost.h"

#include "overlay/TableCells.h"
#include "plugin/StatBoxes.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// 2026-12-07 21:05:09 UTC: ages in the tables come out the same on every run.
constexpr std::int64_t kFixedNow = 1796677509;

// Every stat box: one rectangle each, its table's drawn cells and the average line each.
constexpr int kMaxRects = static_cast<int>(kStatBoxes.size());
constexpr int kMaxStrings = kMaxRects * (overlay::kTableRows * overlay::kDrawnColumns + 1);

// One scratch data folder for the whole process, removed when the process ends normally.
class ScratchFolder {
public:
    ScratchFolder() {
        char pattern[] = "/tmp/tallyglass-fuzz-XXXXXX";
        if (!mkdtemp(pattern))
            fuzzFailure("cannot create a scratch folder");
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

const fs::path& scratchFolder() {
    static ScratchFolder folder;
    return folder.path();
}

} // namespace

void fuzzFailure(const std::string& what) {
    std::fprintf(stderr, "fuzz: %s\n", what.c_str());
    std::abort();
}

FuzzHost::FuzzHost()
    : InProcessHost(scratchFolder(), kFixedNow, [](hostcore::World& world) {
        // A failure the plugin caught at a callback's edge is logged with this prefix; bad data must not
        // get that far.
        world.consoleSink = [](const std::string& line) {
            if (line.rfind("Tallyglass: ", 0) == 0)
                fuzzFailure("the plugin caught a failure: " + line);
        };
        std::error_code ignored;
        fs::remove_all(scratchFolder() / (world.playerId + "_Tallyglass.csv"), ignored);
    }) {}

void FuzzHost::writeStatsFile(const std::uint8_t* data, std::size_t size) {
    std::ofstream out(plugin().getStatsFilePath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out)
        fuzzFailure("cannot write the stats file");
}

namespace {

std::string fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

void FuzzHost::recordMatchAndCheckAppend() {
    const fs::path file = plugin().getStatsFilePath();
    const std::string before = fileBytes(file);

    world().game.online = true;
    world().game.winnerTeam = 0;
    world().game.figures.points = 987654;
    plugin().onMatchEnded("Function TAGame.GameEvent_Soccar_TA.EventMatchEnded");
    world().advanceTime(6.0);

    const std::string after = fileBytes(file);
    if (after.size() <= before.size() || after.compare(0, before.size(), before) != 0)
        fuzzFailure("appending a row changed what the stats file held");
    const std::string added = after.substr(before.size());
    if (added.back() != '\n' || added.find(",987654,") == std::string::npos)
        fuzzFailure("the recorded row is not on a line of its own at the file's end");
}

void FuzzHost::openScoreboardAndDrawFrame() {
    plugin().onScoreboardOpen("Function TAGame.GFxData_GameEvent_TA.OnOpenScoreboard");
    const std::size_t drawnBefore = world().lastFrame().size();
    plugin().render(CanvasWrapper(world().shared_from_this()));

    int rects = 0, strings = 0;
    for (std::size_t i = drawnBefore; i < world().lastFrame().size(); ++i) {
        const hostcore::DrawCall& call = world().lastFrame()[i];
        rects += call.kind == hostcore::DrawCall::Kind::DrawRect;
        strings += call.kind == hostcore::DrawCall::Kind::DrawString;
    }
    if (rects > kMaxRects || strings > kMaxStrings)
        fuzzFailure("one frame drew " + std::to_string(rects) + " rectangles and " + std::to_string(strings) +
                    " texts");
}
