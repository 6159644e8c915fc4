// The files the page is made of, built into the program: the page's own template, style and script, the
// palette and the script-error catcher that the live view's pages share, and the Dygraphs charting library
// (Debian's libjs-dygraphs), so the page needs nothing beside it.
#pragma once

#include <string_view>

std::string_view pageTemplate();
std::string_view pageStyle();
std::string_view pageScript();
std::string_view paletteStyle();
std::string_view scriptErrorsScript();
std::string_view dygraphStyle();
std::string_view dygraphScript();
