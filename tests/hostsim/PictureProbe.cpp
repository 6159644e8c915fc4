#include "tests/hostsim/PictureProbe.h"

#include "hostsim/HostsimError.h"

#include "hostsim/picture/FontFile.h"
#include "hostsim/picture/FrameRenderer.h"
#include "tests/support/HostsimRun.h"

#include <gtest/gtest.h>

#include <stb_image.h>

#include <cmath>
#include <cstdlib>

using picture::Rgba;
using picture::RgbaImage;

std::optional<RgbaImage> readPng(const std::filesystem::path& file) {
    const std::string bytes = readFile(file);
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                            static_cast<int>(bytes.size()), &width, &height, &channels, 4);
    if (!pixels)
        return std::nullopt;
    RgbaImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const stbi_uc* p = pixels + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                         static_cast<std::size_t>(x)) *
                                            4;
            image.set(x, y, {p[0], p[1], p[2], p[3]});
        }
    stbi_image_free(pixels);
    return image;
}

const picture::MonoFont& testFont() {
    static std::unique_ptr<picture::MonoFont> font = [] {
        try {
            return picture::loadPictureFont().font;
        } catch (const HostsimError& error) {
            ADD_FAILURE() << error.what();
            std::abort();
        }
    }();
    return *font;
}

const RgbaImage& backdrop() {
    static const RgbaImage image = picture::drawFrame({}, testFont());
    return image;
}

int countPixels(const RgbaImage& image, Region region, const std::function<bool(Rgba)>& wanted) {
    int count = 0;
    for (int y = std::max(region.top, 0); y < std::min(region.bottom, image.height()); ++y)
        for (int x = std::max(region.left, 0); x < std::min(region.right, image.width()); ++x)
            count += wanted(image.at(x, y)) ? 1 : 0;
    return count;
}

int changedPixels(const RgbaImage& image, Region region) {
    int count = 0;
    for (int y = std::max(region.top, 0); y < std::min(region.bottom, image.height()); ++y)
        for (int x = std::max(region.left, 0); x < std::min(region.right, image.width()); ++x)
            count += image.at(x, y) == backdrop().at(x, y) ? 0 : 1;
    return count;
}

bool isGreenInk(Rgba p) {
    return p.green >= 120 && p.red <= 60 && p.blue <= 60;
}
bool isRedInk(Rgba p) {
    return p.red >= 120 && p.green <= 60 && p.blue <= 60;
}
bool isWhiteInk(Rgba p) {
    return p.red >= 150 && p.green >= 150 && p.blue >= 150;
}

Rgba expectedBlend(Rgba under, Rgba over, int alpha) {
    const double a = alpha / 255.0;
    auto mix = [a](int below, int above) {
        return static_cast<std::uint8_t>(std::lround(above * a + below * (1 - a)));
    };
    return {mix(under.red, over.red), mix(under.green, over.green), mix(under.blue, over.blue), 255};
}

bool nearlyEqual(Rgba a, Rgba b, int tolerance) {
    return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
           std::abs(a.blue - b.blue) <= tolerance && std::abs(a.alpha - b.alpha) <= tolerance;
}

FrameBuilder& FrameBuilder::color(int red, int green, int blue, int alpha) {
    calls_.push_back({hostcore::DrawCall::Kind::SetColor, red, green, blue, alpha, {}, 0, 0});
    return *this;
}

FrameBuilder& FrameBuilder::rect(int x1, int y1, int x2, int y2) {
    calls_.push_back({hostcore::DrawCall::Kind::DrawRect, x1, y1, x2, y2, {}, 0, 0});
    return *this;
}

FrameBuilder& FrameBuilder::position(int x, int y) {
    calls_.push_back({hostcore::DrawCall::Kind::SetPosition, x, y, 0, 0, {}, 0, 0});
    return *this;
}

FrameBuilder& FrameBuilder::text(std::string text, float xScale, float yScale) {
    calls_.push_back({hostcore::DrawCall::Kind::DrawString, 0, 0, 0, 0, std::move(text), xScale, yScale});
    return *this;
}
