#include "report/ReportProgram.h"

#include "report/ConsoleSummary.h"
#include "report/HistoryBuilder.h"
#include "report/ReportOptions.h"
#include "report/ReportPage.h"
#include "report/SummaryJson.h"
#include "toolkit/JsonText.h"
#include "toolkit/SameFile.h"
#include "toolkit/WholeFile.h"

#include <chrono>
#include <new>
#include <system_error>

namespace {

constexpr const char* kProgram = "tallyglass-report: ";

// Writes one output whole or not at all; says why on `err` when it cannot.
bool writeOutput(const std::filesystem::path& path, std::string_view text, std::ostream& err) {
    const std::optional<std::string> failure = replaceFileWith(path, text);
    if (failure)
        err << kProgram << pathToUtf8(path) << ": cannot be written: " << *failure << '\n';
    return !failure;
}

std::int64_t currentTime() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// No output may replace the stats file, nor the other output; says so on `err`.
bool outputsAreSafe(const ReportOptions& options, std::ostream& err) {
    for (const auto* output : {&options.page, options.json ? &*options.json : nullptr}) {
        if (output && sameFile(*output, options.statsFile)) {
            err << kProgram << pathToUtf8(*output) << ": is the stats file itself; it is never overwritten\n";
            return false;
        }
    }
    if (options.json && sameFile(*options.json, options.page)) {
        err << kProgram << "the page and the JSON would be the same file\n";
        return false;
    }
    return true;
}

} // namespace

int runReport(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    OptionsError optionsError;
    const std::optional<ReportOptions> options = parseReportOptions(arguments, optionsError);
    if (!options) {
        err << kProgram << optionsError.message << '\n' << kReportUsage;
        return 2;
    }
    if (options->help) {
        out << kReportUsage;
        return 0;
    }
    const std::string statsName = pathToUtf8(options->statsFile);
    if (!outputsAreSafe(*options, err))
        return 2;
    HistorySummary summary;
    try {
        summary = summarizeStatsFile(options->statsFile, options->now.value_or(currentTime()));
    } catch (const StatsFileError& failure) {
        err << kProgram << statsName << ": " << failure.what() << '\n';
        return 2;
    } catch (const std::bad_alloc&) {
        // Only a file out of time order is held whole, to be sorted.
        err << kProgram << statsName << ": not enough memory to hold its matches for sorting them by time\n";
        return 2;
    }
    const nlohmann::ordered_json json = summaryJson(summary, pathToUtf8(options->statsFile.filename()));
    if (!writeOutput(options->page, reportPage(jsonText(json)), err))
        return 1;
    if (options->json && !writeOutput(*options->json, jsonText(json, 1) + "\n", err))
        return 1;
    out << "Report: " << pathToUtf8(options->page) << '\n';
    if (options->json)
        out << "JSON:   " << pathToUtf8(*options->json) << '\n';
    out << '\n';
    printConsoleSummary(summary, out);
    return 0;
}
