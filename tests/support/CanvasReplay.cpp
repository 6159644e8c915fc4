#include "tests/support/CanvasReplay.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

bool startsWith(const std::string& line, const char* prefix) {
    return line.rfind(prefix, 0) == 0;
}

// The quoted text of a DrawString line, with the trace's escapes undone.
std::string quotedText(const std::string& line) {
    std::string text;
    for (std::size_t i = line.find('"') + 1; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] == '\\')
            ++i;
        text += line[i];
    }
    return text;
}

} // namespace

ReplayedFrame replayCanvas(const std::vector<std::string>& traceLines) {
    ReplayedFrame frame;
    std::string colour;
    int x = 0, y = 0;
    for (const std::string& line : traceLines) {
        std::istringstream words(line.substr(line.find(' ') + 1));
        if (startsWith(line, "SetColor ")) {
            colour = line.substr(9);
        } else if (startsWith(line, "SetPosition ")) {
            words >> x >> y;
        } else if (startsWith(line, "DrawRect ")) {
            DrawnRect rect{0, 0, 0, 0, colour};
            words >> rect.x1 >> rect.y1 >> rect.x2 >> rect.y2;
            frame.rects.push_back(rect);
            frame.rectAfterText = frame.rectAfterText || !frame.texts.empty();
        } else if (startsWith(line, "DrawString ")) {
            frame.texts.push_back({quotedText(line), x, y, colour});
        } else {
            continue;
        }
        frame.calls.push_back(line);
    }
    return frame;
}

const DrawnText& ReplayedFrame::textAt(int x, int y) const {
    const DrawnText* found = nullptr;
    int count = 0;
    for (const DrawnText& text : texts)
        if (text.x == x && text.y == y) {
            found = &text;
            ++count;
        }
    EXPECT_EQ(count, 1) << "texts drawn at " << x << "," << y;
    static const DrawnText none{"<nothing drawn>", 0, 0, ""};
    return found ? *found : none;
}

bool ReplayedFrame::anyTextAt(int x, int y) const {
    for (const DrawnText& text : texts)
        if (text.x == x && text.y == y)
            return true;
    return false;
}
