// The picture of one frame: the backdrop, rectangles blended at their alpha, and texts in the
// overlay's 8 x 12 pixel character grid.
#include "hostsim/picture/FrameRenderer.h"
#include "hostsim/picture/FontFile.h"
#include "hostsim/picture/SceneBackground.h"
#include "tests/hostsim/PictureProbe.h"

#include <gtest/gtest.h>

#include <climits>

using picture::drawFrame;
using picture::Rgba;
using picture::RgbaImage;

namespace {

RgbaImage draw(const FrameBuilder& frame) {
    return drawFrame(frame.calls(), testFont());
}

// The smallest region holding every pixel that differs from the backdrop.
Region inkBounds(const RgbaImage& image) {
    Region bounds{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!(image.at(x, y) == backdrop().at(x, y))) {
                bounds.left = std::min(bounds.left, x);
                bounds.top = std::min(bounds.top, y);
                bounds.right = std::max(bounds.right, x + 1);
                bounds.bottom = std::max(bounds.bottom, y + 1);
            }
    return bounds;
}

} // namespace

TEST(Backdrop, FillsAFullHdPictureWithADarkSceneThatIsNotOneFlatColour) {
    const RgbaImage& image = backdrop();
    ASSERT_EQ(image.width(), 1920);
    ASSERT_EQ(image.height(), 1080);
    int bright = 0;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7) {
            Rgba p = image.at(x, y);
            EXPECT_EQ(p.alpha, 255);
            bright += (p.red + p.green + p.blue) / 3 > 110 ? 1 : 0;
        }
    EXPECT_EQ(bright, 0) << "the scene must stay dark so the overlay reads well";
    EXPECT_FALSE(image.at(960, 40) == image.at(20, 1060)) << "a gradient, not a flat fill";
    RgbaImage repainted(1920, 1080);
    picture::paintSceneBackground(repainted);
    EXPECT_EQ(repainted.bytes(), image.bytes()) << "the same size always gives the same scene";
}

TEST(Rectangles, FillTheirAreaBlendedAtTheirAlphaAndNothingBeyondTheSecondCorner) {
    const RgbaImage image = draw(FrameBuilder().color(200, 40, 10, 128).rect(100, 200, 300, 354));
    for (auto [x, y] : {std::pair{100, 200}, {299, 353}, {180, 260}, {100, 353}, {299, 200}})
        EXPECT_TRUE(nearlyEqual(image.at(x, y), expectedBlend(backdrop().at(x, y), {200, 40, 10, 255}, 128)))
            << "inside at " << x << "," << y;
    EXPECT_EQ(changedPixels(image, {0, 0, 1920, 1080}), 200 * 154);
    EXPECT_EQ(changedPixels(image, {100, 200, 300, 354}), 200 * 154);
}

TEST(Rectangles, OpaqueGivesTheColourItselfAndZeroAlphaLeavesTheSceneAlone) {
    const RgbaImage opaque = draw(FrameBuilder().color(12, 34, 56, 255).rect(10, 10, 20, 20));
    EXPECT_EQ(opaque.at(15, 15), (Rgba{12, 34, 56, 255}));
    const RgbaImage invisible = draw(FrameBuilder().color(255, 255, 255, 0).rect(10, 10, 500, 500));
    EXPECT_EQ(changedPixels(invisible, {0, 0, 1920, 1080}), 0);
}

TEST(Rectangles, ALaterRectangleIsLaidOverAnEarlierOne) {
    const RgbaImage image = draw(FrameBuilder()
                                     .color(0, 0, 255, 255)
                                     .rect(0, 0, 100, 100)
                                     .color(255, 0, 0, 100)
                                     .rect(50, 0, 150, 100));
    EXPECT_EQ(image.at(25, 50), (Rgba{0, 0, 255, 255}));
    EXPECT_TRUE(nearlyEqual(image.at(75, 50), expectedBlend({0, 0, 255, 255}, {255, 0, 0, 255}, 100)));
    EXPECT_TRUE(nearlyEqual(image.at(125, 50), expectedBlend(backdrop().at(125, 50), {255, 0, 0, 255}, 100)));
}

TEST(Rectangles, ReachingPastThePictureAreClippedAndBackwardsOnesDrawNothing) {
    const RgbaImage clipped =
        draw(FrameBuilder().color(255, 255, 255, 255).rect(INT_MIN, 1070, INT_MAX, INT_MAX));
    EXPECT_EQ(changedPixels(clipped, {0, 0, 1920, 1080}), 1920 * 10);
    const RgbaImage backwards = draw(FrameBuilder().color(255, 255, 255, 255).rect(300, 300, 200, 400));
    EXPECT_EQ(changedPixels(backwards, {0, 0, 1920, 1080}), 0);
}

TEST(Texts, SitInTheRowBelowTheirPositionEightPixelsACharacter) {
    const std::string text = "Ranked Doubles 4-1 587 gjpqy";
    const RgbaImage image = draw(FrameBuilder().color(255, 255, 255, 255).position(600, 300).text(text));
    const Region ink = inkBounds(image);
    const int cells = static_cast<int>(text.size()) * 8;
    EXPECT_GE(ink.left, 600);
    EXPECT_LE(ink.left, 602) << "the R starts at the left of its cell";
    EXPECT_GT(ink.right, 600 + cells - 8) << "the last character lies in the last cell";
    EXPECT_LE(ink.right, 600 + cells + 1);
    EXPECT_GE(ink.top, 300);
    EXPECT_LE(ink.top, 302) << "the capitals reach up to the top of the row";
    EXPECT_GE(ink.bottom, 300 + 11) << "descenders reach the bottom of the row";
    EXPECT_LE(ink.bottom, 300 + 14) << "and barely into the next";
}

TEST(Texts, RowsTwelvePixelsApartDoNotRunIntoEachOther) {
    const RgbaImage image = draw(FrameBuilder()
                                     .color(0, 255, 0, 255)
                                     .position(100, 100)
                                     .text("HHHHHHHH")
                                     .color(255, 0, 0, 255)
                                     .position(100, 112)
                                     .text("HHHHHHHH"));
    // Capitals have no descenders, so each row keeps to its own 12 pixels.
    EXPECT_GT(countPixels(image, {100, 100, 164, 112}, isGreenInk), 40);
    EXPECT_EQ(countPixels(image, {100, 112, 164, 124}, isGreenInk), 0);
    EXPECT_GT(countPixels(image, {100, 112, 164, 124}, isRedInk), 40);
    EXPECT_EQ(countPixels(image, {100, 100, 164, 112}, isRedInk), 0);
}

TEST(Texts, TakeTheCurrentColourAndAlpha) {
    const RgbaImage opaque = draw(FrameBuilder().color(0, 255, 0, 255).position(100, 100).text("WWWW"));
    const RgbaImage faint = draw(FrameBuilder().color(0, 255, 0, 60).position(100, 100).text("WWWW"));
    const Region cells{100, 100, 132, 112};
    EXPECT_GT(countPixels(opaque, cells, isGreenInk), 30);
    EXPECT_EQ(countPixels(faint, cells, isGreenInk), 0) << "at alpha 60 the green only tints the scene";
    EXPECT_GT(changedPixels(faint, cells), 30);
    const RgbaImage hidden = draw(FrameBuilder().color(0, 255, 0, 0).position(100, 100).text("WWWW"));
    EXPECT_EQ(changedPixels(hidden, {0, 0, 1920, 1080}), 0);
}

TEST(Texts, AFreshCanvasWritesWhiteAtTheTopLeftCorner) {
    const RgbaImage image = draw(FrameBuilder().text("Average MMR: 1190"));
    EXPECT_GT(countPixels(image, {0, 0, 17 * 8, 12}, isWhiteInk), 50);
    EXPECT_EQ(changedPixels(image, {0, 14, 1920, 1080}), 0);
}

TEST(Texts, ScaleWithTheirXAndYScales) {
    const RgbaImage image = draw(FrameBuilder().position(100, 100).text("MMMM", 2, 3));
    const Region ink = inkBounds(image);
    EXPECT_GT(ink.right - 100, 4 * 8 * 2 - 8);
    EXPECT_LE(ink.right - 100, 4 * 8 * 2 + 1);
    EXPECT_GT(ink.bottom - 100, 2 * 12);
    EXPECT_LE(ink.bottom - 100, 3 * 12 + 1);
}

TEST(Texts, WithoutAUsableScaleDrawNothing) {
    for (float scale : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN(), 1e9f}) {
        const RgbaImage image = draw(FrameBuilder().position(100, 100).text("Points", scale, 1));
        EXPECT_EQ(changedPixels(image, {0, 0, 1920, 1080}), 0) << "x scale " << scale;
    }
}

TEST(Texts, OffThePictureOrPartlyOnItAreClipped) {
    const RgbaImage image = draw(FrameBuilder()
                                     .position(-20, -5)
                                     .text("Saves Saves")
                                     .position(1910, 1075)
                                     .text("Shots")
                                     .position(INT_MIN, INT_MIN)
                                     .text("Demos")
                                     .position(INT_MAX, INT_MAX)
                                     .text("Demos"));
    EXPECT_GT(changedPixels(image, {0, 0, 70, 8}), 0);
    EXPECT_GT(changedPixels(image, {1910, 1075, 1920, 1080}), 0);
    EXPECT_EQ(changedPixels(image, {70, 10, 1900, 1070}), 0);
}

TEST(Texts, AnyBytesAreDrawnOneCellPerCharacter) {
    // A title in UTF-8, stray bytes that are not UTF-8, and control characters all keep the grid.
    const RgbaImage accented = draw(FrameBuilder().position(100, 100).text("Échec 1-0"));
    EXPECT_LE(inkBounds(accented).right, 100 + 9 * 8 + 1);
    const RgbaImage broken =
        draw(FrameBuilder().position(100, 100).text(std::string("a\xff\xc3z\tb\x01") + "c"));
    const Region ink = inkBounds(broken);
    EXPECT_GT(ink.right, 100 + 7 * 8);
    EXPECT_LE(ink.right, 100 + 8 * 8 + 1);
    EXPECT_EQ(changedPixels(broken, {100 + 4 * 8, 100, 100 + 5 * 8, 112}), 0) << "a tab shows nothing";
}

TEST(Texts, ChineseJapaneseAndKoreanCharactersAreDrawnFromTheFallbackFontOneCellEach) {
    bool fallbackInstalled = false;
    for (const auto& place : picture::fallbackFontPlaces())
        fallbackInstalled = fallbackInstalled || std::filesystem::is_regular_file(place);
    if (!fallbackInstalled)
        GTEST_SKIP() << "no fallback font installed (Debian's fonts-wqy-microhei)";
    // Without the fallback each of these is the same empty box; with it each has a shape of its own.
    const char* const characters[] = {"\xe7\xbb\x9f", "\xe8\xae\xa1", "\xe3\x81\x82", "\xed\x95\x9c"};
    std::vector<std::vector<int>> shapes;
    for (const char* character : characters) {
        const RgbaImage image = draw(FrameBuilder().position(100, 100).text(character).text("x"));
        const Region cell{100, 100, 108, 112};
        EXPECT_GT(changedPixels(image, cell), 12) << character << " leaves ink in its cell";
        EXPECT_EQ(changedPixels(image, {108, 90, 1920, 130}) - changedPixels(image, {108, 100, 116, 112}), 0)
            << character << " stays in its cell: the next one begins 8 pixels on";
        std::vector<int> shape;
        for (int y = cell.top; y < cell.bottom; ++y)
            for (int x = cell.left; x < cell.right; ++x)
                shape.push_back(image.at(x, y) == backdrop().at(x, y) ? 0 : 1);
        shapes.push_back(shape);
    }
    for (std::size_t a = 0; a < shapes.size(); ++a)
        for (std::size_t b = a + 1; b < shapes.size(); ++b)
            EXPECT_NE(shapes[a], shapes[b]) << characters[a] << " and " << characters[b] << " look alike";
}
