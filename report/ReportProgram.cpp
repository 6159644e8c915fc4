#include "report/ReportProgram.h"

#include "report/ConsoleSummary.h"
#include "report/FolderReport.h"
#include "report/HistoryBuilder.h"
#include "report/ReportOptions.h"
#include "report/ReportPage.h"
#include "report/ReportSteps.h"
#include "report/SummaryJson.h"
#include "toolkit/JsonText.h"
#include "toolkit/RatingBands.h"
#include "toolkit/SameFile.h"
#include "toolkit/WholeFile.h"

#include <chrono>
#include <new>
#include <system_error>

namespace {

std::int64_t currentTime() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// No output may replace the stats file, nor the other output; says so on `err`.
bool outputsAreSafe(const ReportOptions& options, std::ostream& err) {
    for (const auto* output : {&options.page, options.json ? &*options.json : nullptr}) {
        if (output && sameFile(*output, options.input)) {
            err << kReportProgram << pathToUtf8(*output)
                << ": is the stats file itself; it is never overwritten\n";
            return false;
        }
    }
    if (options.json && sameFile(*options.json, options.page)) {
        err << kReportProgram << "the page and the JSON would be the same file\n";
        return false;
    }
    return true;
}

int reportFile(const ReportOptions& options, const RatingBands& bands, std::int64_t now, std::ostream& out,
               std::ostream& err) {
    if (!outputsAreSafe(options, err))
        return 2;
    std::string problem;
    const std::optional<HistorySummary> summary = readHistory(options.input, now, problem);
    if (!summary) {
        err << kReportProgram << pathToUtf8(options.input) << ": " << problem << '\n';
        return 2;
    }
    const nlohmann::ordered_json json = summaryJson(*summary, pathToUtf8(options.input.filename()), bands);
    if (!writeReportOutput(options.page, reportPage(jsonText(json)), err))
        return 1;
    if (options.json && !writeReportOutput(*options.json, jsonText(json, 1) + "\n", err))
        return 1;
    out << "Report: " << pathToUtf8(options.page) << '\n';
    if (options.json)
        out << "JSON:   " << pathToUtf8(*options.json) << '\n';
    out << '\n';
    printConsoleSummary(*summary, out, bands);
    return 0;
}

} // namespace

bool writeReportOutput(const std::filesystem::path& path, std::string_view text, std::ostream& err) {
    const std::optional<std::string> failure = replaceFileWith(path, text);
    if (failure)
        err << kReportProgram << pathToUtf8(path) << ": cannot be written: " << *failure << '\n';
    return !failure;
}

std::optional<HistorySummary> readHistory(const std::filesystem::path& file, std::int64_t now,
                                          std::string& problem) {
    try {
        return summarizeStatsFile(file, now);
    } catch (const StatsFileError& failure) {
        problem = failure.what();
    } catch (const std::bad_alloc&) {
        // Only a file out of time order is held whole, to be sorted.
        problem = "not enough memory to hold its matches for sorting them by time";
    }
    return std::nullopt;
}

int runReport(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    OptionsError optionsError;
    const std::optional<ReportOptions> options = parseReportOptions(arguments, optionsError);
    if (!options) {
        err << kReportProgram << optionsError.message << '\n' << kReportUsage;
        return 2;
    }
    if (options->help) {
        out << kReportUsage;
        return 0;
    }
    // Read before anything is written: a bands file that cannot be used writes nothing.
    RatingBands bands;
    if (options->bands) {
        try {
            bands = RatingBands::read(*options->bands, pathToUtf8(*options->bands));
        } catch (const BandsFileError& failure) {
            err << kReportProgram << failure.what() << '\n';
            return 2;
        }
    }
    const std::int64_t now = options->now.value_or(currentTime());
    return options->folder ? reportFolder(*options, bands, now, out, err)
                           : reportFile(*options, bands, now, out, err);
}
