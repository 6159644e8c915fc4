// The backdrop the overlay is drawn on: a dark arena-like scene made of soft gradients, so a picture
// of the boxes looks the way it would over a paused game.
#pragma once

#include "hostsim/picture/RgbaImage.h"

namespace picture {

// Fills the whole image with the backdrop; the same size always gives the same pixels.
void paintSceneBackground(RgbaImage& image);

// The backdrop of this size, painted once and then copied: every picture starts from it.
RgbaImage sceneBackground(int width, int height);

} // namespace picture
