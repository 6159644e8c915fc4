#include "tests/report/ReportRun.h"

#include "report/ReportProgram.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

ReportRun report(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    ReportRun run;
    run.status = runReport(arguments, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

nlohmann::json pageData(const std::string& page, const std::string& id) {
    const std::string open = "<script type=\"application/json\" id=\"" + id + "\">";
    const std::size_t start = page.find(open);
    const std::size_t end = page.find("</script>", start);
    if (start == std::string::npos || end == std::string::npos)
        throw std::runtime_error("the page carries no " + id);
    return nlohmann::json::parse(page.substr(start + open.size(), end - start - open.size()));
}

const PlaylistSummary& playlistNamed(const HistorySummary& summary, const std::string& name) {
    const auto found = std::find_if(summary.playlists.begin(), summary.playlists.end(),
                                    [&](const PlaylistSummary& p) { return p.name == name; });
    if (found == summary.playlists.end())
        throw std::runtime_error("no playlist " + name);
    return *found;
}
