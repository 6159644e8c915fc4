#include "overlay/RowColour.h"

namespace overlay {

Rgb rowColourForWin(std::optional<std::int32_t> win) noexcept {
    if (!win || *win < 0)
        return kWhite;
    return *win == 0 ? kRed : kGreen;
}

} // namespace overlay
