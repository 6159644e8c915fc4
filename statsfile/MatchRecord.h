// One match as the history report and the live view read it from a row of the stats file, and which
// column fills which of its members.
#pragma once

#include "statsfile/Columns.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

struct MatchRecord {
    std::uint64_t line = 0; // line number in the file, the header being line 1
    std::int64_t time = 0;  // seconds since 1970 UTC
    // Without the blanks around the title. Points into the line being read: valid during the callback only.
    std::string_view playlist;
    bool ranked = false;
    bool win = false;
    bool mvp = false;
    std::int32_t rating = 0;      // before the match; 0 or below: none known
    std::int32_t ratingAfter = 0; // after the match, as its row says; 0 or below (an empty cell): none
    std::int32_t myTeamGoals = 0;
    std::int32_t otherTeamGoals = 0;
    std::int32_t points = 0;
    std::int32_t goals = 0;
    std::int32_t assists = 0;
    std::int32_t saves = 0;
    std::int32_t shots = 0;
    std::int32_t demos = 0;

    bool operator==(const MatchRecord&) const = default;
};

// What a column's cell becomes in a MatchRecord.
struct MatchField {
    enum Kind : std::uint8_t {
        number,         // a whole number into `intMember`
        optionalNumber, // a whole number into `intMember`, or an empty cell (or none at all): 0
        flag,           // a whole number, not 0 meaning yes, into `boolMember`
        win,            // 1 or 0, nothing else, into `boolMember`
        time,           // the match time
        title,          // the playlist title
        unread,         // not read: the local-time text repeats the time
    } kind;
    std::int32_t MatchRecord::*intMember = nullptr;
    bool MatchRecord::*boolMember = nullptr;
};

constexpr MatchField matchFieldOf(StatsColumn column) {
    switch (column) {
    case StatsColumn::Assists:
        return {MatchField::number, &MatchRecord::assists};
    case StatsColumn::Demos:
        return {MatchField::number, &MatchRecord::demos};
    case StatsColumn::Goals:
        return {MatchField::number, &MatchRecord::goals};
    case StatsColumn::Mmr:
        return {MatchField::number, &MatchRecord::rating};
    case StatsColumn::Mvp:
        return {MatchField::flag, nullptr, &MatchRecord::mvp};
    case StatsColumn::MyTeamGoals:
        return {MatchField::number, &MatchRecord::myTeamGoals};
    case StatsColumn::OtherTeamGoals:
        return {MatchField::number, &MatchRecord::otherTeamGoals};
    case StatsColumn::Playlist:
        return {MatchField::title};
    case StatsColumn::Points:
        return {MatchField::number, &MatchRecord::points};
    case StatsColumn::Ranked:
        return {MatchField::flag, nullptr, &MatchRecord::ranked};
    case StatsColumn::Saves:
        return {MatchField::number, &MatchRecord::saves};
    case StatsColumn::Shots:
        return {MatchField::number, &MatchRecord::shots};
    case StatsColumn::Time:
        return {MatchField::time};
    case StatsColumn::Timestamp:
        return {MatchField::unread};
    case StatsColumn::Win:
        return {MatchField::win, nullptr, &MatchRecord::win};
    case StatsColumn::MmrAfter:
        return {MatchField::optionalNumber, &MatchRecord::ratingAfter};
    }
    return {MatchField::unread};
}

constexpr bool isIntegerKind(MatchField::Kind kind) {
    return kind == MatchField::number || kind == MatchField::optionalNumber;
}

// The whole-number members and the yes-or-no members of a match, in the column table's order: for code
// that keeps matches in a form of its own and must miss none of their figures.
inline constexpr auto kMatchNumberMembers = [] {
    constexpr std::size_t kCount = [] {
        std::size_t count = 0;
        for (const StatsColumnDescription& description : kStatsColumns)
            count += isIntegerKind(matchFieldOf(description.column).kind) ? 1u : 0u;
        return count;
    }();
    std::array<std::int32_t MatchRecord::*, kCount> members{};
    std::size_t at = 0;
    for (const StatsColumnDescription& description : kStatsColumns)
        if (isIntegerKind(matchFieldOf(description.column).kind))
            members[at++] = matchFieldOf(description.column).intMember;
    return members;
}();
inline constexpr auto kMatchFlagMembers = [] {
    constexpr auto isFlag = [](StatsColumn column) {
        const MatchField::Kind kind = matchFieldOf(column).kind;
        return kind == MatchField::flag || kind == MatchField::win;
    };
    constexpr std::size_t kCount = [isFlag] {
        std::size_t count = 0;
        for (const StatsColumnDescription& description : kStatsColumns)
            count += isFlag(description.column) ? 1u : 0u;
        return count;
    }();
    std::array<bool MatchRecord::*, kCount> members{};
    std::size_t at = 0;
    for (const StatsColumnDescription& description : kStatsColumns)
        if (isFlag(description.column))
            members[at++] = matchFieldOf(description.column).boolMember;
    return members;
}();

// Whether a reader of matches needs the column in the header: every required column it reads. A column a
// file may lack is read where the header names it.
constexpr bool isNeededForMatches(StatsColumn column) {
    return isRequired(column) && matchFieldOf(column).kind != MatchField::unread;
}
