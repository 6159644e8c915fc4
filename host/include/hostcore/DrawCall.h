// One call a drawable made on its canvas, as recorded by the host.
#pragma once

#include <string>

namespace hostcore {

struct DrawCall {
    enum class Kind { SetColor, DrawRect, SetPosition, DrawString };
    Kind kind;
    int a = 0, b = 0, c = 0, d = 0; // colour channels, rectangle corners or position
    std::string text;
    float xScale = 0, yScale = 0;
};

} // namespace hostcore
