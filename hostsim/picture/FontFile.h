// Finds and reads the font pictures are drawn with: DejaVu Sans Mono (Debian's fonts-dejavu-core).
#pragma once

#include "hostsim/picture/MonoFont.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace picture {

// The environment variable that names a font file to use instead of the places searched.
inline constexpr const char* kFontVariable = "HOSTSIM_FONT";

// Where the font is looked for, in order: the file HOSTSIM_FONT names, the folder of this program,
// then the system's font folders (under Wine the Linux one is reachable through drive Z:).
std::vector<std::filesystem::path> fontSearchPlaces();

// Loads the first font found; returns null and says which places were tried when there is none.
std::unique_ptr<MonoFont> loadPictureFont(std::string& error);

} // namespace picture
