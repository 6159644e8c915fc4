#include "fuzz/FuzzHost.h"

#include "overlay/TableCells.h"
#include "plugin/StatBoxes.h"
#include "statsfile/FileName.h"
#include "statsfile/LineCutting.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// 2026-12-07 21:05:09 UTC: ages in the tables come out the same on every run.
constexpr std::int64_t kFixedNow = 1796677509;

// Every stat box: one rectangle each, its table's drawn cells and the average line each.
constexpr int kMaxRects = static_cast<int>(kStatBoxes.size());
constexpr int kMaxStrings = kMaxRects * (overlay::kTableRows * overlay::kDrawnColumns + 1);

// One scratch data folder for the whole process, removed when the process ends normally. It lies on
// tmpfs (/dev/shm) where the machine has one: the stats file is created, read and appended to for every
// input, work a disk's file system would journal for nothing.
class ScratchFolder {
public:
    ScratchFolder() {
        for (const char* parent : {"/dev/shm", "/tmp"}) {
            std::string pattern = std::string(parent) + "/tallyglass-fuzz-XXXXXX";
            if (mkdtemp(pattern.data())) {
                path_ = pattern;
                return;
            }
        }
        fuzzFailure("cannot create a scratch folder");
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

// The world every input is played in, reset to its new state for each (see InProcessHost).
std::shared_ptr<hostcore::World> keptWorld() {
    static const std::shared_ptr<hostcore::World> world = hostcore::World::create();
    return world;
}

// The local player's stats file in the scratch folder (the world's player id is always the default).
const fs::path& statsFile() {
    static const fs::path file = scratchFolder() / statsFileName(hostcore::kDefaultPlayerId);
    return file;
}

// What the note on a stats file that is no text says of it, whatever it is instead.
constexpr std::string_view kRefusedFileNote = ". Tallyglass leaves it as it is and records new matches in ";

// The file's bytes into `bytes`; false when it cannot be read.
bool readFile(const fs::path& file, std::string& bytes) {
    bytes.clear();
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char block[4096];
    ssize_t got = 0;
    while ((got = ::read(fd, block, sizeof block)) > 0)
        bytes.append(block, static_cast<std::size_t>(got));
    ::close(fd);
    return got == 0;
}

// Keeps the last line a line feeder hands on, and whether the text ended right after it.
struct LastLine {
    std::string text;
    void line(std::string_view line) { text.assign(line); }
    void tooLong() { text.clear(); }
};

// Whether the file's text, read as every program reads it, ends in a line of the recorded match (its
// points a field of their own, whatever the separator) with its line end.
bool endsWithTheRecordedRow(std::string_view bytes) {
    static LastLine last; // kept from input to input: its memory is allocated once
    last.text.clear();
    BasicLineFeeder<LastLine> feeder(last);
    try {
        feeder.feed(bytes);
        if (feeder.hasUnfinished())
            return false;
    } catch (const StatsFileError&) {
        return false;
    }
    const std::string_view line = last.text;
    const std::size_t at = line.find("987654");
    const auto separates = [](char c) { return c == ',' || c == ';' || c == '\t'; };
    return at != std::string_view::npos && at > 0 && separates(line[at - 1]) && at + 6 < line.size() &&
           separates(line[at + 6]);
}

} // namespace

void fuzzFailure(const std::string& what) {
    std::fprintf(stderr, "fuzz: %s\n", what.c_str());
    std::abort();
}

FuzzHost::FuzzHost()
    : InProcessHost(keptWorld(), scratchFolder(), kFixedNow, [](hostcore::World& world) {
        // A failure the plugin caught at a callback's edge is logged with this prefix; bad data must not
        // get that far. The notes on a header that does not name every column, and on a file that is no
        // text the plugin appends to, are no failure.
        world.consoleSink = [](const std::string& line) {
            if (line.rfind("Tallyglass: ", 0) == 0 && line.rfind("Tallyglass: the first line of ", 0) != 0 &&
                line.find(kRefusedFileNote) == std::string::npos)
                fuzzFailure("the plugin caught a failure: " + line);
        };
        std::error_code ignored;
        fs::remove(statsFile(), ignored);
        fs::remove(rescueFileFor(statsFile()), ignored);
    }) {
    // The same for every input: the data folder and the player id never change.
    static const bool sameFile = plugin().getStatsFilePath() == statsFile();
    if (!sameFile)
        fuzzFailure("the plugin's stats file is not the one the fuzz host writes");
}

void FuzzHost::writeStatsFile(const std::uint8_t* data, std::size_t size) {
    const int fd = ::open(statsFile().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        fuzzFailure("cannot write the stats file");
    for (std::size_t done = 0; done < size;) {
        const ssize_t wrote = ::write(fd, data + done, size - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            fuzzFailure("cannot write the stats file");
        done += static_cast<std::size_t>(wrote);
    }
    if (::close(fd) != 0)
        fuzzFailure("cannot write the stats file");
    written_ = std::string_view(reinterpret_cast<const char*>(data), size);
}

void FuzzHost::recordMatchAndCheckAppend() {
    world().game.online = true;
    world().game.winnerTeam = 0;
    world().game.figures.points = 987654;
    plugin().onMatchEnded("Function TAGame.GameEvent_Soccar_TA.EventMatchEnded");
    world().advanceTime(6.0);

    // Kept from input to input: its memory is allocated once.
    static std::string after;
    if (!readFile(statsFile(), after))
        fuzzFailure("cannot read the stats file back");
    if (after == written_) {
        // A file that is no text is left as it is; the match is in the rescue file beside it.
        if (!readFile(rescueFileFor(statsFile()), after))
            fuzzFailure("a stats file was left as it was, and the match went nowhere");
        written_ = {};
    }
    if (after.size() <= written_.size() || std::string_view(after).substr(0, written_.size()) != written_)
        fuzzFailure("appending a row changed what the stats file held");
    if (!endsWithTheRecordedRow(after))
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
