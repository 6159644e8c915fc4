#include "hostsim/picture/MonoFont.h"

#include <stb_truetype.h>

#include <algorithm>
#include <cmath>

namespace picture {

struct MonoFont::Details {
    std::vector<unsigned char> bytes; // stbtt_fontinfo points into these
    stbtt_fontinfo info{};
    float scale = 0;  // font units to pixels at text scale 1
    int ascender = 0; // font units from the baseline to the top of the tallest Latin letters
};

MonoFont::MonoFont(std::unique_ptr<Details> details)
    : details_(std::move(details)) {}
MonoFont::~MonoFont() = default;

std::unique_ptr<MonoFont> MonoFont::fromBytes(std::vector<unsigned char> bytes, std::string& error) {
    auto details = std::make_unique<Details>();
    details->bytes = std::move(bytes);
    const unsigned char* data = details->bytes.data();
    // The smallest TrueType file holds a 12-byte header and one table record; anything shorter is not one.
    const int offset = details->bytes.size() < 28 ? -1 : stbtt_GetFontOffsetForIndex(data, 0);
    if (offset < 0 || stbtt_InitFont(&details->info, data, offset) == 0) {
        error = "not a TrueType font";
        return nullptr;
    }
    int advance = 0, bearing = 0;
    const int zero = stbtt_FindGlyphIndex(&details->info, '0');
    if (zero != 0)
        stbtt_GetGlyphHMetrics(&details->info, zero, &advance, &bearing);
    for (char letter : {'H', 'd', 'l'}) {
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        if (stbtt_GetCodepointBox(&details->info, letter, &x0, &y0, &x1, &y1) != 0)
            details->ascender = std::max(details->ascender, y1);
    }
    if (advance <= 0 || details->ascender <= 0) {
        error = "the font has no usable digits or letters";
        return nullptr;
    }
    // Every character of a monospaced font advances as far as the digit 0: make that one cell.
    details->scale = kCellWidth / static_cast<float>(advance);
    return std::unique_ptr<MonoFont>(new MonoFont(std::move(details)));
}

float MonoFont::advance(char32_t codePoint, float xScale) const {
    int advance = 0, bearing = 0;
    stbtt_GetCodepointHMetrics(&details_->info, static_cast<int>(codePoint), &advance, &bearing);
    return static_cast<float>(advance) * details_->scale * xScale;
}

float MonoFont::baseline(float yScale) const {
    // A whole pixel keeps the letters' flat strokes sharp; the small allowance keeps an ascender that
    // reaches a pixel edge from being pushed a whole pixel down by rounding noise.
    return std::ceil(static_cast<float>(details_->ascender) * details_->scale * yScale - 0.01f);
}

GlyphCoverage MonoFont::rasterize(char32_t codePoint, float xScale, float yScale, float shiftX) const {
    GlyphCoverage glyph;
    const stbtt_fontinfo* info = &details_->info;
    const int index = stbtt_FindGlyphIndex(info, static_cast<int>(codePoint));
    if (stbtt_IsGlyphEmpty(info, index))
        return glyph;
    const float sx = details_->scale * xScale, sy = details_->scale * yScale;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    stbtt_GetGlyphBitmapBoxSubpixel(info, index, sx, sy, shiftX, 0, &x0, &y0, &x1, &y1);
    if (x1 <= x0 || y1 <= y0)
        return glyph;
    glyph.left = x0;
    glyph.top = y0;
    glyph.width = x1 - x0;
    glyph.height = y1 - y0;
    glyph.coverage.assign(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.height), 0);
    stbtt_MakeGlyphBitmapSubpixel(info, glyph.coverage.data(), glyph.width, glyph.height, glyph.width, sx, sy,
                                  shiftX, 0, index);
    return glyph;
}

} // namespace picture
