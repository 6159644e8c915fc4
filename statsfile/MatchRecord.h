// One match as the report reads it from a row of the stats file.
#pragma once

#include <cstdint>
#include <string_view>

struct MatchRecord {
    std::uint64_t line = 0;    // line number in the file, the header being line 1
    std::int64_t time = 0;     // seconds since 1970 UTC
    // Without the blanks around the title. Points into the line being read: valid during the callback only.
    std::string_view playlist;
    bool ranked = false;
    bool win = false;
    bool mvp = false;
    std::int32_t rating = 0; // 0 or below: no rating known for the match
    std::int32_t myTeamGoals = 0;
    std::int32_t otherTeamGoals = 0;
    std::int32_t points = 0;
    std::int32_t goals = 0;
    std::int32_t assists = 0;
    std::int32_t saves = 0;
    std::int32_t shots = 0;
    std::int32_t demos = 0;
};
