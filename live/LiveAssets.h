// The live view's own page files, built into the program by toolkit/EmbedAssets.cmake: each page's
// skeleton, style and script, and the script both pages share. With the page files every page shares
// (toolkit/SharedAssets.h) the pages need nothing beside them but the data script the program rewrites.
#pragma once

#include <string_view>

std::string_view liveSkeleton();
std::string_view liveStyle();
std::string_view liveScript();
std::string_view overlaySkeleton();
std::string_view overlayStyle();
std::string_view overlayScript();
std::string_view sharedScript();
