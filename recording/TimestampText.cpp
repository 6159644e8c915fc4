#include "recording/TimestampText.h"

#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>

static_assert(sizeof(std::time_t) >= 8, "Times beyond 2038 need a 64-bit time_t");

std::string timestampText(std::int64_t secondsSinceEpoch) {
    const std::time_t moment = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm local{};
#if defined(_WIN32)
    if (localtime_s(&local, &moment) != 0)
        return {};
#else
    if (localtime_r(&moment, &local) == nullptr)
        return {};
#endif
    // The classic locale keeps the text the same whatever locale the host or the player chose.
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << std::put_time(&local, "%X %x");
    return text.str();
}
