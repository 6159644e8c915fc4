// Draws one recorded frame of canvas calls as the game would show it over its scene.
#pragma once

#include "hostcore/DrawCall.h"
#include "hostsim/picture/MonoFont.h"
#include "hostsim/picture/RgbaImage.h"

#include <vector>

namespace picture {

inline constexpr int kPictureWidth = 1920;
inline constexpr int kPictureHeight = 1080;

// The scene backdrop with the frame's calls replayed on it, in order: SetColor sets the colour
// (alpha included) of what follows, DrawRect fills from its first corner up to, not including, its
// second, SetPosition places the top left of the next text, DrawString writes a text. The canvas
// starts out white and opaque with the position at 0, 0, as a fresh canvas does.
RgbaImage drawFrame(const std::vector<hostcore::DrawCall>& frame, const MonoFont& font,
                    int width = kPictureWidth, int height = kPictureHeight);

} // namespace picture
