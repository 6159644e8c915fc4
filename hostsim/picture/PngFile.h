// Saves a picture as a PNG file.
#pragma once

#include "hostsim/OutputFile.h"
#include "hostsim/picture/RgbaImage.h"

namespace picture {

// Encodes `image` (opaque, so as RGB) into `out`; throws HostsimError (OutputFailed) when the picture is
// empty or cannot be encoded. The caller commits the file.
void writePng(const RgbaImage& image, OutputFile& out);

} // namespace picture
