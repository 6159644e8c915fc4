// The console variables the overlay is styled with, in registration order, and where each one's
// value is kept when the scoreboard opens: the boxes' switches, then the style, then the boxes'
// positions. The boxes' settings come from the stat-box table.
#pragma once

#include "plugin/StatBoxes.h"
#include "plugin/Tallyglass.h"

#include <array>
#include <cstdint>

struct ConsoleSetting {
    const char* name;
    const char* defaultValue;
    const char* description;
    float min;
    float max;
    bool Tallyglass::*flag;          // read with getBoolValue when set
    std::int32_t Tallyglass::*value; // read with getIntValue otherwise
};

// The canvas the positions are given on.
inline constexpr float kCanvasWidth = 1920;
inline constexpr float kCanvasHeight = 1080;

inline constexpr std::array<ConsoleSetting, 5> kStyleSettings{{
    {"tallyglass_box_opacity", "210", "Change opacity for the stat boxes", 1, 255, nullptr,
     &Tallyglass::boxOpacity},
    {"tallyglass_text_opacity", "255", "Change opacity for the text", 1, 255, nullptr,
     &Tallyglass::textOpacity},
    {"tallyglass_box_r", "0", "Change Red Value for stat boxes", 0, 255, nullptr, &Tallyglass::boxRed},
    {"tallyglass_box_g", "0", "Change Green Value for stat boxes", 0, 255, nullptr, &Tallyglass::boxGreen},
    {"tallyglass_box_b", "0", "Change Blue Value for stat boxes", 0, 255, nullptr, &Tallyglass::boxBlue},
}};

namespace console_settings_detail {
constexpr ConsoleSetting switchSetting(const StatBox& box) {
    return {box.shownSetting.name,
            box.shownSetting.defaultValue,
            box.shownSetting.description,
            0,
            1,
            box.shown,
            nullptr};
}
constexpr ConsoleSetting positionSetting(const ConsoleVariableText& text, float max,
                                         std::int32_t Tallyglass::*value) {
    return {text.name, text.defaultValue, text.description, 0, max, nullptr, value};
}
constexpr auto registrationOrder() {
    std::array<ConsoleSetting, 3 * kStatBoxes.size() + kStyleSettings.size()> settings{};
    std::size_t at = 0;
    for (const StatBox& box : kStatBoxes)
        settings[at++] = switchSetting(box);
    for (const ConsoleSetting& style : kStyleSettings)
        settings[at++] = style;
    for (const StatBox& box : kStatBoxes) {
        settings[at++] = positionSetting(box.xSetting, kCanvasWidth, box.x);
        settings[at++] = positionSetting(box.ySetting, kCanvasHeight, box.y);
    }
    return settings;
}
} // namespace console_settings_detail

inline constexpr auto kConsoleSettings = console_settings_detail::registrationOrder();
