#include "hostsim/picture/FrameRenderer.h"

#include "hostsim/picture/SceneBackground.h"
#include "hostsim/picture/Utf8Text.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace picture {
namespace {

// Beyond this a text scale is taken as a mistake, not as a wish for letters larger than the picture.
constexpr float kLargestTextScale = 64.0f;
// Pens are placed to a quarter pixel; finer steps change nothing visible and defeat the glyph cache.
constexpr float kSubpixelSteps = 4.0f;

struct Pen {
    Rgba colour{255, 255, 255, 255};
    long long x = 0, y = 0;
};

std::uint8_t channel(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

void fillRectangle(RgbaImage& image, const Pen& pen, const hostcore::DrawCall& call) {
    const long long left = std::max<long long>(call.a, 0), top = std::max<long long>(call.b, 0);
    const long long right = std::min<long long>(call.c, image.width());
    const long long bottom = std::min<long long>(call.d, image.height());
    for (long long y = top; y < bottom; ++y)
        for (long long x = left; x < right; ++x)
            image.blend(static_cast<int>(x), static_cast<int>(y), pen.colour, pen.colour.alpha);
}

class TextWriter {
public:
    TextWriter(RgbaImage& image, const MonoFont& font)
        : image_(image)
        , font_(font) {}

    void write(const Pen& pen, const hostcore::DrawCall& call) {
        const float xScale = call.xScale, yScale = call.yScale;
        if (!(xScale > 0 && yScale > 0 && xScale <= kLargestTextScale && yScale <= kLargestTextScale))
            return;
        if (pen.colour.alpha == 0)
            return;
        const long long baseline = pen.y + std::lround(font_.baseline(yScale));
        double penX = static_cast<double>(pen.x);
        for (char32_t character : decodeUtf8(call.text)) {
            if (penX >= image_.width())
                break;
            // Control characters take a cell but show nothing.
            const bool visible = character >= 0x20 && character != 0x7F;
            const char32_t shown = visible ? character : U' ';
            if (visible)
                drawGlyph(pen.colour, shown, xScale, yScale, penX, baseline);
            penX += font_.advance(shown, xScale);
        }
    }

private:
    using GlyphKey = std::tuple<char32_t, float, float, int>;

    const GlyphCoverage& glyph(char32_t character, float xScale, float yScale, int subpixel) {
        GlyphKey key{character, xScale, yScale, subpixel};
        auto found = cache_.find(key);
        if (found == cache_.end())
            found = cache_
                        .emplace(key, font_.rasterize(character, xScale, yScale,
                                                      static_cast<float>(subpixel) / kSubpixelSteps))
                        .first;
        return found->second;
    }

    void drawGlyph(Rgba colour, char32_t character, float xScale, float yScale, double penX,
                   long long baseline) {
        const double whole = std::floor(penX);
        const int subpixel = static_cast<int>((penX - whole) * kSubpixelSteps);
        const GlyphCoverage& coverage = glyph(character, xScale, yScale, subpixel);
        const long long originX = static_cast<long long>(whole) + coverage.left;
        const long long originY = baseline + coverage.top;
        for (int gy = 0; gy < coverage.height; ++gy) {
            const long long y = originY + gy;
            if (y < 0 || y >= image_.height())
                continue;
            for (int gx = 0; gx < coverage.width; ++gx) {
                const long long x = originX + gx;
                if (x < 0 || x >= image_.width())
                    continue;
                const int alpha = (colour.alpha * coverage.at(gx, gy) + 127) / 255;
                image_.blend(static_cast<int>(x), static_cast<int>(y), colour, alpha);
            }
        }
    }

    RgbaImage& image_;
    const MonoFont& font_;
    std::map<GlyphKey, GlyphCoverage> cache_;
};

} // namespace

RgbaImage drawFrame(const std::vector<hostcore::DrawCall>& frame, const MonoFont& font, int width,
                    int height) {
    RgbaImage image = sceneBackground(width, height);
    TextWriter writer(image, font);
    Pen pen;
    for (const hostcore::DrawCall& call : frame) {
        switch (call.kind) {
        case hostcore::DrawCall::Kind::SetColor:
            pen.colour = {channel(call.a), channel(call.b), channel(call.c), channel(call.d)};
            break;
        case hostcore::DrawCall::Kind::DrawRect:
            fillRectangle(image, pen, call);
            break;
        case hostcore::DrawCall::Kind::SetPosition:
            pen.x = call.a;
            pen.y = call.b;
            break;
        case hostcore::DrawCall::Kind::DrawString:
            writer.write(pen, call);
            break;
        }
    }
    return image;
}

} // namespace picture
