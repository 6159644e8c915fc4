// Looking at pictures in tests: read a PNG back, and find pixels of a kind within a region.
#pragma once

#include "hostcore/DrawCall.h"
#include "hostsim/picture/MonoFont.h"
#include "hostsim/picture/RgbaImage.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A rectangle of pixels, right and bottom edges excluded.
struct Region {
    int left, top, right, bottom;
};

// The PNG file decoded with stb_image, or nothing when it cannot be read as a PNG.
std::optional<picture::RgbaImage> readPng(const std::filesystem::path& file);

// The picture font, loaded once for the whole test program; fails the test when it is missing.
const picture::MonoFont& testFont();

// The backdrop alone: what every pixel is before anything is drawn.
const picture::RgbaImage& backdrop();

int countPixels(const picture::RgbaImage& image, Region region,
                const std::function<bool(picture::Rgba)>& wanted);
// Pixels in `region` that differ from the backdrop.
int changedPixels(const picture::RgbaImage& image, Region region);

// Text ink in the overlay's win and loss colours, told apart from the dark scene and boxes.
bool isGreenInk(picture::Rgba pixel);
bool isRedInk(picture::Rgba pixel);
bool isWhiteInk(picture::Rgba pixel);

// `over` laid on `under` at opacity alpha (0 to 255), worked out in floating point.
picture::Rgba expectedBlend(picture::Rgba under, picture::Rgba over, int alpha);
bool nearlyEqual(picture::Rgba a, picture::Rgba b, int tolerance = 1);

// Canvas calls, written the way a drawable makes them.
class FrameBuilder {
public:
    FrameBuilder& color(int red, int green, int blue, int alpha);
    FrameBuilder& rect(int x1, int y1, int x2, int y2);
    FrameBuilder& position(int x, int y);
    FrameBuilder& text(std::string text, float xScale = 1, float yScale = 1);
    const std::vector<hostcore::DrawCall>& calls() const { return calls_; }

private:
    std::vector<hostcore::DrawCall> calls_;
};
