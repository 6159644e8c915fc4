// Writes a made-up but plausible stats file: evening sessions of several matches in a few playlists,
// ratings that walk with wins and losses, a playlist without rating and a title holding a comma.
// Used by the report's benchmark and to show the report on a year of matches.
#pragma once

#include <cstdint>
#include <ostream>

struct MatchHistoryShape {
    std::uint64_t matches = 2500;
    std::int64_t days = 365;       // the span the sessions are spread over, ending about `end`; longer
                                   // when that many matches need more room
    std::int64_t end = 1796580000; // seconds since 1970 UTC
    std::uint64_t variant = 1;     // another number, another made-up history
    bool crlf = false;             // Windows line ends
};

void writeMatchHistory(std::ostream& out, const MatchHistoryShape& shape);
