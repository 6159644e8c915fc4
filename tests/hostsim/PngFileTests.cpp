// Saving pictures: what is written reads back as the same pixels, and failures are reported.
#include "hostsim/picture/FrameRenderer.h"
#include "hostsim/picture/MonoFont.h"
#include "hostsim/picture/PngFile.h"
#include "tests/hostsim/PictureProbe.h"
#include "tests/support/HostsimRun.h"

#include <gtest/gtest.h>

TEST(PngFile, ReadsBackAsTheSamePixelsAtFullHd) {
    TempFolder folder;
    const picture::RgbaImage image = picture::drawFrame(
        FrameBuilder().color(0, 0, 0, 210).rect(405, 730, 629, 884).position(410, 735).text("MMR").calls(),
        testFont());
    std::string error;
    ASSERT_TRUE(picture::writePng(image, folder / "frame.png", error)) << error;
    const auto decoded = readPng(folder / "frame.png");
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width(), 1920);
    EXPECT_EQ(decoded->height(), 1080);
    EXPECT_EQ(decoded->bytes(), image.bytes());
}

TEST(PngFile, ReplacesAnOlderFileAndTakesAnyFileName) {
    TempFolder folder;
    const auto file = folder.path() / std::filesystem::u8path("bild-\xc3\xa4 1.png");
    writeFile(file, std::string(100000, 'x'));
    picture::RgbaImage small(3, 2);
    small.set(2, 1, {10, 20, 30, 255});
    std::string error;
    ASSERT_TRUE(picture::writePng(small, file, error)) << error;
    const auto decoded = readPng(file);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width(), 3);
    EXPECT_EQ(decoded->height(), 2);
    EXPECT_EQ(decoded->at(2, 1), (picture::Rgba{10, 20, 30, 255}));
}

TEST(PngFile, SaysWhyWhenTheFileCannotBeWritten) {
    TempFolder folder;
    std::string error;
    EXPECT_FALSE(picture::writePng(picture::RgbaImage(4, 4), folder / "no-such-folder" / "x.png", error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(picture::writePng(picture::RgbaImage(0, 0), folder / "empty.png", error));
    EXPECT_FALSE(std::filesystem::exists(folder / "empty.png"));
}

TEST(MonoFont, RefusesBytesThatAreNoFont) {
    std::string error;
    EXPECT_EQ(picture::MonoFont::fromBytes({}, error), nullptr);
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_EQ(picture::MonoFont::fromBytes(std::vector<unsigned char>(4096, 'x'), error), nullptr);
    EXPECT_FALSE(error.empty());
}
