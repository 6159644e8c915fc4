// The report page's own files, built into the program: its template, style and script, and the template
// and script of the index page of a folder's accounts, which shares the style. The page files
// every page shares (the palette, the script-error catcher, the charting library) are in
// toolkit/SharedAssets.h.
#pragma once

#include <string_view>

std::string_view pageTemplate();
std::string_view pageStyle();
std::string_view pageScript();
std::string_view indexTemplate();
std::string_view indexScript();
