// The history report's work on generated stats files of 10,000 and 1,000,000 matches: reading and
// summarising, in time order and newest first (read twice, its matches held and sorted), and turning the
// summary into JSON and the page; beside a bare block-wise line count of the same file, the floor any
// reading of it stands on.
#include "bench/MatchHistoryGenerator.h"
#include "report/HistoryBuilder.h"
#include "report/ReportPage.h"
#include "report/SummaryJson.h"
#include "toolkit/JsonText.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>

namespace {

constexpr std::int64_t kNow = 1796580000;

// Each size is written once per run, into the temporary folder, and removed when the run ends.
class HistoryFiles {
public:
    ~HistoryFiles() {
        for (const auto& [matches, file] : files_) {
            std::error_code ignored;
            std::filesystem::remove(file, ignored);
        }
    }

    // The generated history of `matches`, in time order or with its rows newest first.
    const std::filesystem::path& of(std::uint64_t matches, bool newestFirst = false) {
        auto [found, fresh] = files_.try_emplace({matches, newestFirst});
        if (fresh) {
            found->second = std::filesystem::temp_directory_path() /
                            ("tallyglass-report-bench-" + std::to_string(matches) +
                             (newestFirst ? "-newest-first" : "") + ".csv");
            MatchHistoryShape shape;
            shape.matches = matches;
            shape.days = std::max<std::int64_t>(365, static_cast<std::int64_t>(matches / 400));
            std::ostringstream text;
            writeMatchHistory(text, shape);
            std::string history = text.str();
            if (newestFirst)
                history = rowsReversed(history);
            std::ofstream out(found->second, std::ios::binary | std::ios::trunc);
            out << history;
        }
        return found->second;
    }

private:
    // The header, then the rows from the last to the first.
    static std::string rowsReversed(const std::string& history) {
        const std::size_t headerEnd = history.find('\n') + 1;
        std::string reversed = history.substr(0, headerEnd);
        reversed.reserve(history.size());
        for (std::size_t end = history.size(); end > headerEnd;) {
            const std::size_t start = history.rfind('\n', end - 2) + 1;
            reversed.append(history, start, end - start);
            end = start;
        }
        return reversed;
    }

    std::map<std::pair<std::uint64_t, bool>, std::filesystem::path> files_;
};

const std::filesystem::path& historyFile(std::uint64_t matches, bool newestFirst = false) {
    static HistoryFiles files;
    return files.of(matches, newestFirst);
}

void setBytes(benchmark::State& state, const std::filesystem::path& file) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(file)));
}

void BM_CountLines(benchmark::State& state) {
    const std::filesystem::path& file = historyFile(static_cast<std::uint64_t>(state.range(0)));
    const auto block = std::make_unique<char[]>(1024 * 1024);
    for (auto _ : state) {
        std::ifstream in(file, std::ios::binary);
        std::size_t lines = 0;
        while (in.read(block.get(), 1024 * 1024) || in.gcount() > 0) {
            const char* at = block.get();
            const char* end = at + in.gcount();
            while (
                (at = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at))))) {
                ++lines;
                ++at;
            }
        }
        benchmark::DoNotOptimize(lines);
    }
    setBytes(state, file);
}

void BM_SummarizeStatsFile(benchmark::State& state) {
    const std::filesystem::path& file = historyFile(static_cast<std::uint64_t>(state.range(0)));
    for (auto _ : state) {
        HistorySummary summary = summarizeStatsFile(file, kNow);
        benchmark::DoNotOptimize(summary.matches);
    }
    setBytes(state, file);
}

// A file out of time order costs a second reading, its matches held (64 bytes each) and sorted.
void BM_SummarizeNewestFirst(benchmark::State& state) {
    const std::filesystem::path& file = historyFile(static_cast<std::uint64_t>(state.range(0)), true);
    for (auto _ : state) {
        HistorySummary summary = summarizeStatsFile(file, kNow);
        benchmark::DoNotOptimize(summary.matches);
    }
    setBytes(state, file);
}

void BM_SummaryToPage(benchmark::State& state) {
    const HistorySummary summary =
        summarizeStatsFile(historyFile(static_cast<std::uint64_t>(state.range(0))), kNow);
    std::size_t pageBytes = 0;
    for (auto _ : state) {
        const std::string page = reportPage(jsonText(summaryJson(summary, "history.csv")));
        pageBytes = page.size();
        benchmark::DoNotOptimize(page.data());
    }
    state.counters["page_bytes"] = static_cast<double>(pageBytes);
}

} // namespace

// Wall-clock time: the reading parses on a second thread, whose CPU time the calling thread's would miss.
BENCHMARK(BM_CountLines)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SummarizeStatsFile)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SummarizeNewestFirst)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SummaryToPage)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
