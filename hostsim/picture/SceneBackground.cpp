#include "hostsim/picture/SceneBackground.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <mutex>
#include <optional>
#include <vector>

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

// A soft round light centred at `centre` and fading over `radius`, in picture widths. Its falloff
// exp(-(dx^2 + dy^2)) is the product of one factor across and one down, so each is worked out once
// per column or row rather than for every pixel.
struct Glow {
    float centreX, centreY, radius, strength;
    Colour colour;
};

std::vector<float> falloff(int count, float width, float centre, float radius) {
    std::vector<float> factors(static_cast<std::size_t>(std::max(count, 0)));
    for (std::size_t i = 0; i < factors.size(); ++i) {
        const float d = ((static_cast<float>(i) + 0.5f) / width - centre) / radius;
        factors[i] = std::exp(-d * d);
    }
    return factors;
}

std::uint8_t toByte(float value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

} // namespace

void paintSceneBackground(RgbaImage& image) {
    const Colour sky{24, 33, 54}, stands{13, 18, 31}, floor{6, 9, 14}, pitch{8, 34, 26};
    const float width = static_cast<float>(std::max(1, image.width()));
    const float aspect = static_cast<float>(image.height()) / width;
    // Floodlights above the middle, and the two teams' colours glowing low at the sides.
    const Glow glows[] = {{0.5f, -0.08f * aspect, 0.42f, 0.55f, {70, 88, 125}},
                          {0.02f, 0.62f * aspect, 0.22f, 0.22f, {18, 62, 150}},
                          {0.98f, 0.62f * aspect, 0.22f, 0.18f, {165, 78, 22}}};
    std::vector<std::vector<float>> across, down;
    for (const Glow& glow : glows) {
        across.push_back(falloff(image.width(), width, glow.centreX, glow.radius));
        down.push_back(falloff(image.height(), width, glow.centreY, glow.radius));
    }

    for (int y = 0; y < image.height(); ++y) {
        // Picture coordinates in widths, so the lights stay round on any shape of picture.
        const float v = (static_cast<float>(y) + 0.5f) / width;
        const float depth = v / aspect; // 0 at the top, 1 at the bottom
        const Colour base =
            (depth < 0.55f ? mix(sky, stands, depth / 0.55f) : mix(stands, floor, (depth - 0.55f) / 0.45f)) +
            pitch * smoothstep(0.6f, 1.0f, depth);
        const auto row = static_cast<std::size_t>(y);
        for (int x = 0; x < image.width(); ++x) {
            const auto column = static_cast<std::size_t>(x);
            Colour colour = base;
            for (std::size_t g = 0; g < std::size(glows); ++g)
                colour = colour + glows[g].colour * (glows[g].strength * across[g][column] * down[g][row]);

            const float u = (static_cast<float>(x) + 0.5f) / width;
            const float dx = u - 0.5f, dy = (v - 0.5f * aspect) * 1.3f;
            const float vignette = 1.0f - 0.62f * smoothstep(0.25f, 0.75f, std::sqrt(dx * dx + dy * dy));
            colour = colour * vignette;

            image.set(x, y, {toByte(colour.red), toByte(colour.green), toByte(colour.blue), 255});
        }
    }
}

RgbaImage sceneBackground(int width, int height) {
    // Painting costs a few floating-point operations for each of two million pixels; a session
    // that saves several pictures (or a test program) paints the usual size once.
    static std::mutex guard;
    static std::optional<RgbaImage> painted;
    std::lock_guard lock(guard);
    if (!painted || painted->width() != width || painted->height() != height) {
        painted.emplace(width, height);
        paintSceneBackground(*painted);
    }
    return *painted;
}

} // namespace picture
