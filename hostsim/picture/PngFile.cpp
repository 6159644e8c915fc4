#include "hostsim/picture/PngFile.h"

#include "hostsim/DisplayText.h"
#include "hostsim/HostsimError.h"

#include <stb_image_write.h>

namespace picture {
namespace {

void appendToFile(void* context, void* data, int size) {
    static_cast<OutputFile*>(context)->write(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

} // namespace

void writePng(const RgbaImage& image, OutputFile& out) {
    auto fail = [&](const std::string& reason) {
        throw HostsimError(ExitStatus::OutputFailed,
                           "cannot write the picture " + displayPath(out.target()) + ": " + reason);
    };
    if (image.width() <= 0 || image.height() <= 0)
        fail("the picture is empty");
    const std::vector<std::uint8_t>& rgba = image.bytes();
    std::vector<unsigned char> rgb(rgba.size() / 4 * 3);
    for (std::size_t from = 0, to = 0; from < rgba.size(); from += 4, to += 3) {
        rgb[to] = rgba[from];
        rgb[to + 1] = rgba[from + 1];
        rgb[to + 2] = rgba[from + 2];
    }
    if (stbi_write_png_to_func(appendToFile, &out, image.width(), image.height(), 3, rgb.data(),
                               image.width() * 3) == 0)
        fail("the PNG encoder failed");
}

} // namespace picture
