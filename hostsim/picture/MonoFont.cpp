#include "hostsim/picture/MonoFont.h"

#include "hostsim/HostsimError.h"

#include <stb_truetype.h>

#include <algorithm>
#include <cmath>

namespace picture {

// One font file: its bytes (stbtt_fontinfo points into them) and its scales from font units to
// pixels at text scale 1.
struct MonoFont::Face {
    std::vector<unsigned char> bytes;
    stbtt_fontinfo info{};
    float scaleX = 0;
    float scaleY = 0;
};

struct MonoFont::Details {
    Face own;
    std::vector<std::unique_ptr<Face>> fallbacks;
    int ascender = 0; // font units from the baseline to the top of the tallest Latin letters
};

namespace {

// A fallback's glyph spans one cell across and this many pixels of the 12-pixel row from the top to the
// bottom of its em square, so it sits in the row beside the Latin letters.
constexpr float kFallbackEmHeight = 11.0f;

// Reads the first font of a TrueType file or collection; false when the bytes are not one.
bool readFont(stbtt_fontinfo& info, const std::vector<unsigned char>& bytes) {
    // The smallest TrueType file holds a 12-byte header and one table record; anything shorter is not one.
    if (bytes.size() < 28)
        return false;
    const int offset = stbtt_GetFontOffsetForIndex(bytes.data(), 0);
    return offset >= 0 && static_cast<std::size_t>(offset) < bytes.size() &&
           stbtt_InitFont(&info, bytes.data(), offset) != 0;
}

[[noreturn]] void refuseFont(const std::string& name, const std::string& reason) {
    refuse("cannot use the font " + name + ": " + reason);
}

} // namespace

MonoFont::MonoFont(std::unique_ptr<Details> details)
    : details_(std::move(details)) {}
MonoFont::~MonoFont() = default;

std::unique_ptr<MonoFont> MonoFont::fromBytes(std::vector<unsigned char> bytes, const std::string& name) {
    auto details = std::make_unique<Details>();
    Face& face = details->own;
    face.bytes = std::move(bytes);
    if (!readFont(face.info, face.bytes))
        refuseFont(name, "it is not a TrueType font");
    int advance = 0, bearing = 0;
    const int zero = stbtt_FindGlyphIndex(&face.info, '0');
    if (zero != 0)
        stbtt_GetGlyphHMetrics(&face.info, zero, &advance, &bearing);
    for (char letter : {'H', 'd', 'l'}) {
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        if (stbtt_GetCodepointBox(&face.info, letter, &x0, &y0, &x1, &y1) != 0)
            details->ascender = std::max(details->ascender, y1);
    }
    if (advance <= 0 || details->ascender <= 0)
        refuseFont(name, "it has no usable digits or letters");
    // Every character of a monospaced font advances as far as the digit 0: make that one cell.
    face.scaleX = face.scaleY = kCellWidth / static_cast<float>(advance);
    return std::unique_ptr<MonoFont>(new MonoFont(std::move(details)));
}

void MonoFont::addFallback(std::vector<unsigned char> bytes, const std::string& name) {
    auto face = std::make_unique<Face>();
    face->bytes = std::move(bytes);
    if (!readFont(face->info, face->bytes))
        refuseFont(name, "it is not a TrueType font");
    const float perEm = stbtt_ScaleForMappingEmToPixels(&face->info, 1.0f);
    if (!(perEm > 0))
        refuseFont(name, "its em square is empty");
    face->scaleX = kCellWidth * perEm;
    face->scaleY = kFallbackEmHeight * perEm;
    details_->fallbacks.push_back(std::move(face));
}

const MonoFont::Face& MonoFont::faceFor(char32_t codePoint) const {
    const int wanted = static_cast<int>(codePoint);
    if (stbtt_FindGlyphIndex(&details_->own.info, wanted) != 0)
        return details_->own;
    for (const auto& fallback : details_->fallbacks)
        if (stbtt_FindGlyphIndex(&fallback->info, wanted) != 0)
            return *fallback;
    return details_->own;
}

float MonoFont::advance(char32_t codePoint, float xScale) const {
    const Face& face = faceFor(codePoint);
    if (&face != &details_->own)
        return kCellWidth * xScale;
    int advance = 0, bearing = 0;
    stbtt_GetCodepointHMetrics(&face.info, static_cast<int>(codePoint), &advance, &bearing);
    return static_cast<float>(advance) * face.scaleX * xScale;
}

float MonoFont::baseline(float yScale) const {
    // A whole pixel keeps the letters' flat strokes sharp; the small allowance keeps an ascender that
    // reaches a pixel edge from being pushed a whole pixel down by rounding noise.
    return std::ceil(static_cast<float>(details_->ascender) * details_->own.scaleY * yScale - 0.01f);
}

GlyphCoverage MonoFont::rasterize(char32_t codePoint, float xScale, float yScale, float shiftX) const {
    GlyphCoverage glyph;
    const Face& face = faceFor(codePoint);
    const stbtt_fontinfo* info = &face.info;
    const int index = stbtt_FindGlyphIndex(info, static_cast<int>(codePoint));
    if (stbtt_IsGlyphEmpty(info, index))
        return glyph;
    const float sx = face.scaleX * xScale, sy = face.scaleY * yScale;
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
