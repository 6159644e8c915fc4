#include "report/RowBatch.h"

#include <string_view>

void RowBatch::clear() {
    matches.clear();
    titleSpans.clear();
    titles.clear();
    skipped.clear();
}

void RowBatch::handTo(StatsRowSink& sink) {
    const std::string_view allTitles(titles);
    std::size_t next = 0;
    const auto handMatchesUpTo = [&](std::size_t end) {
        for (; next < end; ++next) {
            MatchRecord& match = matches[next];
            match.playlist = allTitles.substr(titleSpans[next].start, titleSpans[next].size);
            sink.match(match);
        }
    };
    for (const Skipped& row : skipped) {
        handMatchesUpTo(row.matchesBefore);
        sink.skipped(row.line, row.reason);
    }
    handMatchesUpTo(matches.size());
}

void BatchSink::match(const MatchRecord& match) {
    RowBatch& batch = *batch_;
    batch.titleSpans.push_back(RowBatch::Title{batch.titles.size(), match.playlist.size()});
    batch.titles.append(match.playlist);
    batch.matches.push_back(match);
    batch.matches.back().playlist = {};
}

void BatchSink::skipped(std::uint64_t line, const std::string& reason) {
    batch_->skipped.push_back(RowBatch::Skipped{batch_->matches.size(), line, reason});
}
