// live.html and overlay.html: pages that work from disk (file://) with no server and no network. They
// take their data from session.js beside them, which they load again every second without reloading
// themselves; their Content-Security-Policy lets them load scripts from their own place only.
#pragma once

#include <string>

inline constexpr const char* kDataScriptName = "session.js";

std::string livePage();
std::string overlayPage();
