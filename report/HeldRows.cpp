#include "report/HeldRows.h"

#include <algorithm>

void HeldRows::reserveFor(std::uintmax_t bytes) {
    // A row as the plugin writes it is at least about 50 bytes long.
    constexpr std::uintmax_t kShortestRowBytes = 50;
    held_.reserve(static_cast<std::size_t>(bytes / kShortestRowBytes + 1));
}

std::uint32_t HeldRows::titleIndex(std::string_view title) {
    // Neighbouring rows mostly share their playlist.
    if (lastTitle_ < titles_.size() && titles_[lastTitle_] == title)
        return lastTitle_;
    auto found = titleIndexes_.find(title);
    if (found == titleIndexes_.end()) {
        found = titleIndexes_.emplace(std::string(title), static_cast<std::uint32_t>(titles_.size())).first;
        titles_.emplace_back(title);
    }
    lastTitle_ = found->second;
    return lastTitle_;
}

void HeldRows::match(const MatchRecord& match) {
    fileOrder_.see(match.time, match.line);
    Held held{match.time, match.line, titleIndex(match.playlist), {}, {}};
    for (std::size_t figure = 0; figure < kMatchNumberMembers.size(); ++figure)
        held.figures[figure] = match.*kMatchNumberMembers[figure];
    for (std::size_t flag = 0; flag < kMatchFlagMembers.size(); ++flag)
        held.flags[flag] = match.*kMatchFlagMembers[flag];
    held_.push_back(held);
}

void HeldRows::skipped(std::uint64_t line, const std::string& reason) {
    sink_.skipped(line, reason);
}

void HeldRows::handOnInTimeOrder() {
    // Line numbers are unique and rise through the file: with them as the second key, an unstable sort
    // keeps equal times in file order without a stable sort's buffer.
    std::sort(held_.begin(), held_.end(), [](const Held& a, const Held& b) {
        return a.time != b.time ? a.time < b.time : a.line < b.line;
    });
    MatchRecord match;
    for (const Held& held : held_) {
        match.time = held.time;
        match.line = held.line;
        match.playlist = titles_[held.playlist];
        for (std::size_t figure = 0; figure < kMatchNumberMembers.size(); ++figure)
            match.*kMatchNumberMembers[figure] = held.figures[figure];
        for (std::size_t flag = 0; flag < kMatchFlagMembers.size(); ++flag)
            match.*kMatchFlagMembers[flag] = held.flags[flag];
        sink_.match(match);
    }
    held_.clear();
    held_.shrink_to_fit();
}
