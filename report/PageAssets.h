// The report page's own files, built into the program: its template, style and script. The page files
// every page shares (the palette, the script-error catcher, the charting library) are in
// toolkit/SharedAssets.h.
#pragma once

#include <string_view>

std::string_view pageTemplate();
std::string_view pageStyle();
std::string_view pageScript();
