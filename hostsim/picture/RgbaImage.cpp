#include "hostsim/picture/RgbaImage.h"

#include <algorithm>

namespace picture {

RgbaImage::RgbaImage(int width, int height)
    : width_(std::max(0, width))
    , height_(std::max(0, height))
    , bytes_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4, 0) {}

std::size_t RgbaImage::offset(int x, int y) const {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)) * 4;
}

Rgba RgbaImage::at(int x, int y) const {
    const std::uint8_t* pixel = &bytes_[offset(x, y)];
    return {pixel[0], pixel[1], pixel[2], pixel[3]};
}

void RgbaImage::set(int x, int y, Rgba colour) {
    std::uint8_t* pixel = &bytes_[offset(x, y)];
    pixel[0] = colour.red;
    pixel[1] = colour.green;
    pixel[2] = colour.blue;
    pixel[3] = colour.alpha;
}

void RgbaImage::blend(int x, int y, Rgba colour, int alpha) {
    if (alpha <= 0)
        return;
    std::uint8_t* pixel = &bytes_[offset(x, y)];
    pixel[0] = blendChannel(pixel[0], colour.red, alpha);
    pixel[1] = blendChannel(pixel[1], colour.green, alpha);
    pixel[2] = blendChannel(pixel[2], colour.blue, alpha);
    pixel[3] = 255;
}

std::uint8_t blendChannel(std::uint8_t under, std::uint8_t over, int alpha) {
    const int a = std::clamp(alpha, 0, 255);
    return static_cast<std::uint8_t>((over * a + under * (255 - a) + 127) / 255);
}

} // namespace picture
