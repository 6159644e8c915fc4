// Saves a picture as a PNG file.
#pragma once

#include "hostsim/picture/RgbaImage.h"

#include <filesystem>
#include <string>

namespace picture {

// Writes `image` (opaque, so as RGB) to `file`, replacing it; on failure returns false and says why.
bool writePng(const RgbaImage& image, const std::filesystem::path& file, std::string& error);

} // namespace picture
