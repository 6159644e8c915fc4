// The files the pages are made of, built into the program by report/EmbedAssets.cmake: each page's
// skeleton, style and script, the script both pages share, and the Dygraphs charting library (Debian's
// libjs-dygraphs), so the pages need nothing beside them but the data script the program rewrites.
#pragma once

#include <string_view>

std::string_view liveSkeleton();
std::string_view liveStyle();
std::string_view liveScript();
std::string_view overlaySkeleton();
std::string_view overlayStyle();
std::string_view overlayScript();
std::string_view sharedScript();
std::string_view chartStyle();
std::string_view chartScript();
