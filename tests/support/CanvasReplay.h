// Plays the canvas calls of a trace back the way a canvas would carry them out, so that tests can ask
// where each text landed and in which colour, and in what order boxes and texts were drawn.
#pragma once

#include <string>
#include <vector>

struct DrawnText {
    std::string text;
    int x = 0, y = 0;
    std::string colour; // "R G B A" as last set, "" if none was set yet
};

struct DrawnRect {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::string colour;
};

struct ReplayedFrame {
    std::vector<std::string> calls; // the canvas calls alone, in order, as traced
    std::vector<DrawnRect> rects;
    std::vector<DrawnText> texts;
    bool rectAfterText = false;

    // The text drawn at (x, y); fails the test when there is not exactly one.
    const DrawnText& textAt(int x, int y) const;
    bool anyTextAt(int x, int y) const;
};

ReplayedFrame replayCanvas(const std::vector<std::string>& traceLines);
