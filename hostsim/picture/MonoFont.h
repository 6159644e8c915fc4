// A monospaced TrueType font, sized the way the overlay's layout counts: a character cell 8 pixels
// wide and a row 12 pixels tall at text scale 1. Characters the font lacks (Chinese, Japanese, Korean)
// come from fallback fonts, drawn into the same cell so the layout's grid holds.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace picture {

// The coverage of one glyph (0 none to 255 full), placed relative to the pen on the baseline.
struct GlyphCoverage {
    int left = 0; // pixels right of the pen's whole-pixel x
    int top = 0;  // pixels below the baseline (negative: above)
    int width = 0;
    int height = 0;
    std::vector<unsigned char> coverage; // width * height, row by row

    unsigned char at(int x, int y) const {
        return coverage[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                        static_cast<std::size_t>(x)];
    }
};

class MonoFont {
public:
    static constexpr float kCellWidth = 8.0f;
    static constexpr float kRowHeight = 12.0f;

    // Reads a font from the bytes of a TrueType file (or the first font of a collection); throws
    // HostsimError (exit 2) saying why when it cannot; `name` names the file in the message.
    static std::unique_ptr<MonoFont> fromBytes(std::vector<unsigned char> bytes, const std::string& name);
    // Adds a font whose glyphs stand in for those this one lacks; throws as fromBytes does.
    void addFallback(std::vector<unsigned char> bytes, const std::string& name);
    ~MonoFont();
    MonoFont(const MonoFont&) = delete;
    MonoFont& operator=(const MonoFont&) = delete;

    // How far the pen moves after `codePoint` at horizontal text scale `xScale`.
    float advance(char32_t codePoint, float xScale) const;
    // How far below the top of a row the baseline lies at vertical text scale `yScale`: a whole number
    // of pixels, just enough for the tallest Latin letters to start at the top of the row.
    float baseline(float yScale) const;
    // The glyph of `codePoint` at these scales, the pen lying `shiftX` (0 to 1) right of a whole pixel.
    GlyphCoverage rasterize(char32_t codePoint, float xScale, float yScale, float shiftX) const;

private:
    struct Face;
    struct Details;
    // The face that draws `codePoint`: this font's own, else the first fallback that has it.
    const Face& faceFor(char32_t codePoint) const;
    explicit MonoFont(std::unique_ptr<Details> details);
    std::unique_ptr<Details> details_;
};

} // namespace picture
