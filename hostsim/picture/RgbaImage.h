// A picture in memory: rows of red, green, blue, alpha bytes, top row first.
#pragma once

#include <cstdint>
#include <vector>

namespace picture {

struct Rgba {
    std::uint8_t red = 0, green = 0, blue = 0, alpha = 255;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

class RgbaImage {
public:
    RgbaImage(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Rgba at(int x, int y) const;
    void set(int x, int y, Rgba colour);
    // Lays `colour` over the pixel with opacity `alpha` (0 to 255); the result stays opaque.
    void blend(int x, int y, Rgba colour, int alpha);

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::size_t offset(int x, int y) const;

    int width_;
    int height_;
    std::vector<std::uint8_t> bytes_;
};

// One channel of `over` laid on `under` with opacity `alpha` (0 to 255), rounded to the nearest value.
std::uint8_t blendChannel(std::uint8_t under, std::uint8_t over, int alpha);

} // namespace picture
