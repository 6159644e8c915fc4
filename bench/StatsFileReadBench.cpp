// Reading the stats file back: our one block-wise pass against a literal two-pass line-by-line reading
// (the baseline) and a bare block-wise line count of the same file (the limit), on files of 10, 10,000
// and 1,000,000 matches; and the refresh of averages and tables on its own.
#include "plugin/Tallyglass.h"
#include "plugin/WallClock.h"
#include "statistics/StatsFileTail.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

// Stats files in the writer's format, made once per size in a folder removed at exit.
class StatsFiles {
public:
    StatsFiles() {
        std::random_device random;
        folder_ = fs::temp_directory_path() / ("tallyglass-bench-" + std::to_string(random()));
        fs::create_directories(folder_);
    }
    ~StatsFiles() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    StatsFiles(const StatsFiles&) = delete;
    StatsFiles& operator=(const StatsFiles&) = delete;

    const fs::path& withLines(std::int64_t lines) {
        auto found = files_.find(lines);
        if (found != files_.end())
            return found->second;
        const fs::path file = folder_ / (std::to_string(lines) + "_Tallyglass.csv");
        std::ofstream out(file, std::ios::binary);
        out << "Assists,Demos,Goals,MMR,MVP,MyTeamGoals,OtherTeamGoals,Playlist,Points,Ranked,Saves,Shots,"
               "Time,"
               "Timestamp,Win\n";
        std::mt19937 random(7);
        std::uniform_int_distribution<int> small(0, 9);
        std::uniform_int_distribution<int> rating(400, 1900);
        const char* const playlists[] = {"Ranked Doubles", "Ranked Standard", "Casual Duel", "Rumble"};
        for (std::int64_t match = 1; match < lines; ++match) {
            out << small(random) << ',' << small(random) << ',' << small(random) << ',' << rating(random)
                << ',' << (small(random) > 7 ? 1 : 0) << ',' << small(random) << ',' << small(random) << ','
                << playlists[match % 4] << ',' << 100 * small(random) + 55 << ',' << (match % 4 < 2 ? 1 : 0)
                << ',' << small(random) << ',' << small(random) << ',' << 1700000000 + match * 600
                << ",21:05:09 12/07/26," << (small(random) % 2) << '\n';
        }
        return files_.emplace(lines, file).first->second;
    }

private:
    fs::path folder_;
    std::map<std::int64_t, fs::path> files_;
};

StatsFiles& statsFiles() {
    static StatsFiles files;
    return files;
}

void setBytesProcessed(benchmark::State& state, const fs::path& file) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(fs::file_size(file)));
}

// The plugin's load: the one pass, then the slots and the refresh.
void BM_LoadStatsFile(benchmark::State& state) {
    const fs::path& file = statsFiles().withLines(state.range(0));
    Tallyglass plugin;
    for (auto _ : state) {
        plugin.loadStatsFile(file);
        benchmark::DoNotOptimize(plugin.lineCount);
    }
    setBytesProcessed(state, file);
}

// The reader alone.
void BM_ReadStatsFileTail(benchmark::State& state) {
    const fs::path& file = statsFiles().withLines(state.range(0));
    for (auto _ : state) {
        StatsFileTail tail = readStatsFileTail(file, 10);
        benchmark::DoNotOptimize(tail);
    }
    setBytesProcessed(state, file);
}

// Baseline: count every line with getline in text mode keeping the first, then read the whole file
// again line by line, keeping the last ten.
void BM_TwoPassGetline(benchmark::State& state) {
    const fs::path& file = statsFiles().withLines(state.range(0));
    std::string lineBuffer;
    std::array<std::string, 11> recentLines;
    for (auto _ : state) {
        std::int32_t lineCount = 0;
        {
            std::ifstream in(file);
            while (std::getline(in, lineBuffer)) {
                if (lineCount == 0)
                    recentLines[0] = lineBuffer;
                ++lineCount;
            }
        }
        std::ifstream in(file);
        if (lineCount < 11) {
            std::int32_t slot = lineCount;
            while (std::getline(in, lineBuffer)) {
                if (slot > 0 && slot != lineCount)
                    recentLines[static_cast<std::size_t>(slot)] = lineBuffer;
                --slot;
            }
        } else {
            std::int32_t slot = 10;
            std::int32_t skipped = 0;
            while (std::getline(in, lineBuffer)) {
                if (lineCount - skipped < 11 && slot > 0)
                    recentLines[static_cast<std::size_t>(slot--)] = lineBuffer;
                else
                    ++skipped;
            }
        }
        benchmark::DoNotOptimize(recentLines);
    }
    setBytesProcessed(state, file);
}

// The limit: count line feeds block by block, nothing else.
void BM_BareLineCount(benchmark::State& state) {
    const fs::path& file = statsFiles().withLines(state.range(0));
    const auto block = std::make_unique_for_overwrite<char[]>(kCountBlockBytes);
    for (auto _ : state) {
        std::ifstream in(file, std::ios::binary);
        std::uint64_t lineFeeds = 0;
        while (in.read(block.get(), kCountBlockBytes) || in.gcount() > 0) {
            const char* at = block.get();
            const char* end = at + in.gcount();
            while (const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at))) {
                ++lineFeeds;
                at = static_cast<const char*>(found) + 1;
            }
        }
        benchmark::DoNotOptimize(lineFeeds);
    }
    setBytesProcessed(state, file);
}

// What every scoreboard opening costs: the refresh of ten kept lines.
void BM_RefreshStatistics(benchmark::State& state) {
    pinWallClock(1700000000 + 10000 * 600);
    Tallyglass plugin;
    plugin.loadStatsFile(statsFiles().withLines(10000));
    for (auto _ : state) {
        plugin.refreshStatistics();
        benchmark::DoNotOptimize(plugin.averageMmr);
    }
    unpinWallClock();
}

void fileSizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(10)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
}

} // namespace

BENCHMARK(BM_LoadStatsFile)->Apply(fileSizes);
BENCHMARK(BM_ReadStatsFileTail)->Apply(fileSizes);
BENCHMARK(BM_TwoPassGetline)->Apply(fileSizes);
BENCHMARK(BM_BareLineCount)->Apply(fileSizes);
BENCHMARK(BM_RefreshStatistics)->Unit(benchmark::kMicrosecond);
