#include "hostsim/picture/PngFile.h"

#include <stb_image_write.h>

#include <fstream>

namespace picture {
namespace {

void appendToStream(void* context, void* data, int size) {
    static_cast<std::ofstream*>(context)->write(static_cast<const char*>(data), size);
}

} // namespace

bool writePng(const RgbaImage& image, const std::filesystem::path& file, std::string& error) {
    if (image.width() <= 0 || image.height() <= 0) {
        error = "the picture is empty";
        return false;
    }
    const std::vector<std::uint8_t>& rgba = image.bytes();
    std::vector<unsigned char> rgb(rgba.size() / 4 * 3);
    for (std::size_t from = 0, to = 0; from < rgba.size(); from += 4, to += 3) {
        rgb[to] = rgba[from];
        rgb[to + 1] = rgba[from + 1];
        rgb[to + 2] = rgba[from + 2];
    }

    // The stream takes the path as the platform spells it, so any file name the system allows works.
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) {
        error = "cannot open the file for writing";
        return false;
    }
    const int written = stbi_write_png_to_func(appendToStream, &out, image.width(), image.height(), 3,
                                               rgb.data(), image.width() * 3);
    out.close();
    if (written == 0 || !out) {
        error = written == 0 ? "the PNG encoder failed" : "writing the file failed";
        return false;
    }
    return true;
}

} // namespace picture
