#include "hostsim/picture/SceneBackground.h"

#include <algorithm>
#include <cmath>

namespace picture {
namespace {

struct Colour {
    float red, green, blue;
};

Colour operator+(Colour a, Colour b) {
    return {a.red + b.red, a.green + b.green, a.blue + b.blue};
}
Colour operator*(Colour a, float k) {
    return {a.red * k, a.green * k, a.blue * k};
}

Colour mix(Colour a, Colour b, float t) {
    return a * (1 - t) + b * t;
}

float smoothstep(float edge0, float edge1, float x) {
    float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// A soft round light centred at (cx, cy) in picture widths, fading over `radius` widths.
float glow(float u, float v, float cx, float cy, float radius) {
    float dx = (u - cx) / radius, dy = (v - cy) / radius;
    return std::exp(-(dx * dx + dy * dy));
}

std::uint8_t toByte(float value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

} // namespace

void paintSceneBackground(RgbaImage& image) {
    const Colour sky{24, 33, 54}, stands{13, 18, 31}, floor{6, 9, 14};
    const Colour floodlight{70, 88, 125}, blueSide{18, 62, 150}, orangeSide{165, 78, 22}, pitch{8, 34, 26};
    const float width = static_cast<float>(std::max(1, image.width()));
    const float aspect = static_cast<float>(image.height()) / width;

    for (int y = 0; y < image.height(); ++y) {
        // Picture coordinates in widths, so the lights stay round on any shape of picture.
        const float v = (static_cast<float>(y) + 0.5f) / width;
        const float depth = v / aspect; // 0 at the top, 1 at the bottom
        const Colour base =
            depth < 0.55f ? mix(sky, stands, depth / 0.55f) : mix(stands, floor, (depth - 0.55f) / 0.45f);
        for (int x = 0; x < image.width(); ++x) {
            const float u = (static_cast<float>(x) + 0.5f) / width;
            Colour colour = base;
            colour = colour + floodlight * (0.55f * glow(u, v, 0.5f, -0.08f * aspect, 0.42f));
            colour = colour + blueSide * (0.22f * glow(u, v, 0.02f, 0.62f * aspect, 0.22f));
            colour = colour + orangeSide * (0.18f * glow(u, v, 0.98f, 0.62f * aspect, 0.22f));
            colour = colour + pitch * smoothstep(0.6f, 1.0f, depth);

            const float dx = u - 0.5f, dy = (v - 0.5f * aspect) * 1.3f;
            const float vignette = 1.0f - 0.62f * smoothstep(0.25f, 0.75f, std::sqrt(dx * dx + dy * dy));
            colour = colour * vignette;

            image.set(x, y, {toByte(colour.red), toByte(colour.green), toByte(colour.blue), 255});
        }
    }
}

} // namespace picture
