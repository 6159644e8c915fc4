// The page files every Tallyglass page shares, built into the programs by toolkit/EmbedAssets.cmake: the
// palette, the script-error catcher that runs first on each page, and the Dygraphs charting library
// (Debian's libjs-dygraphs), so no page needs anything beside it.
#pragma once

#include <string_view>

std::string_view paletteStyle();
std::string_view scriptErrorsScript();
std::string_view dygraphStyle();
std::string_view dygraphScript();
