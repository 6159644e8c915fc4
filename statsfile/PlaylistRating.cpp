#include "statsfile/PlaylistRating.h"

namespace {

std::optional<std::int32_t> known(std::int32_t rating) {
    return rating > 0 ? std::optional(rating) : std::nullopt;
}

} // namespace

PlaylistRating::Step PlaylistRating::take(const MatchRecord& match) {
    Step step;
    const std::optional<std::int32_t> before = known(match.rating);
    step.after = known(match.ratingAfter);
    if (afterUnknown_)
        step.previousAfter = before;
    step.before = before ? before : latest_;
    if (step.after)
        latest_ = step.after;
    else if (before)
        latest_ = before;
    afterUnknown_ = !step.after;
    return step;
}
