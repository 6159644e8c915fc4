// The matches of a stats file whose lines are not in time order, held until the whole file is read and
// then handed on sorted by time, equal times in file order. A held match takes 64 bytes, its playlist
// title one copy per playlist. Lines that are no match go on at once: their order is the file's.
#pragma once

#include "report/HistorySummary.h"
#include "statsfile/RowSink.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class HeldRows final : public StatsRowSink {
public:
    explicit HeldRows(StatsRowSink& sink)
        : sink_(sink) {}

    // Room for the matches of a file of `bytes`, so the held rows are not copied as they grow.
    void reserveFor(std::uintmax_t bytes);

    void match(const MatchRecord& match) override;
    void skipped(std::uint64_t line, const std::string& reason) override;

    // The held matches to the sink, in time order; then none are held.
    void handOnInTimeOrder();
    // How the matches stood in the file.
    const TimeOrder& fileOrder() const { return fileOrder_; }

private:
    struct Held {
        std::int64_t time;
        std::uint64_t line;
        std::uint32_t playlist;
        std::array<std::int32_t, kMatchNumberMembers.size()> figures;
        std::array<bool, kMatchFlagMembers.size()> flags;
    };
    static_assert(sizeof(Held) <= 64, "a million held matches stay within 64 MB");
    struct TitleHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };

    std::uint32_t titleIndex(std::string_view title);

    StatsRowSink& sink_;
    std::vector<Held> held_;
    std::vector<std::string> titles_;
    std::unordered_map<std::string, std::uint32_t, TitleHash, std::equal_to<>> titleIndexes_;
    std::uint32_t lastTitle_ = 0;
    TimeOrder fileOrder_;
};
