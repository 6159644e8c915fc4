// How long ago a match was played, as a short English text.
#include "plugin/Tallyglass.h"

std::string Tallyglass::timeAgo(std::uint32_t) { return {}; }
