// Finds and reads the fonts pictures are drawn with: DejaVu Sans Mono (Debian's fonts-dejavu-core),
// and for the characters it lacks (Chinese, Japanese, Korean) WenQuanYi Micro Hei (fonts-wqy-microhei)
// when it is installed.
#pragma once

#include "hostsim/picture/MonoFont.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

namespace picture {

// The environment variable that names a font file to use instead of the places searched.
inline constexpr const char* kFontVariable = "HOSTSIM_FONT";

// The largest font file read; the large CJK collections are about 30 MB.
inline constexpr std::uintmax_t kLargestFontFile = 64u << 20;

// Where the font is looked for, in order: the folder of this program, then the system's font folders
// (under Wine the Linux ones are reachable through drive Z:).
std::vector<std::filesystem::path> fontSearchPlaces();
// Where a fallback font for the characters the font lacks is looked for, in order.
std::vector<std::filesystem::path> fallbackFontPlaces();

struct PictureFont {
    std::unique_ptr<MonoFont> font;
    std::vector<std::filesystem::path> files; // the font files read, which no output may replace
};

// Loads the font HOSTSIM_FONT names, or else the first found of the places searched, with the first
// fallback found. Refuses (HostsimError, exit 2) saying why: a HOSTSIM_FONT that is missing, not a
// regular file or not a font (there is no silent fallback from a font asked for by name), or no font
// found anywhere.
PictureFont loadPictureFont();

} // namespace picture
