// Saving pictures: what is written reads back as the same pixels, and failures are reported.
#include "hostsim/picture/PngFile.h"
#include "hostsim/HostsimError.h"
#include "hostsim/OutputFile.h"
#include "hostsim/picture/FrameRenderer.h"
#include "hostsim/picture/MonoFont.h"
#include "tests/hostsim/PictureProbe.h"
#include "tests/support/HostsimRun.h"

#include <gtest/gtest.h>

namespace {

void savePng(const picture::RgbaImage& image, const std::filesystem::path& file) {
    OutputFile out(file, "the picture");
    picture::writePng(image, out);
    out.commit();
}

} // namespace

TEST(PngFile, ReadsBackAsTheSamePixelsAtFullHd) {
    TempFolder folder;
    const picture::RgbaImage image = picture::drawFrame(
        FrameBuilder().color(0, 0, 0, 210).rect(405, 730, 629, 884).position(410, 735).text("MMR").calls(),
        testFont());
    ASSERT_NO_THROW(savePng(image, folder / "frame.png"));
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
    ASSERT_NO_THROW(savePng(small, file));
    const auto decoded = readPng(file);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width(), 3);
    EXPECT_EQ(decoded->height(), 2);
    EXPECT_EQ(decoded->at(2, 1), (picture::Rgba{10, 20, 30, 255}));
}

TEST(PngFile, AFailedWriteLeavesTheOldFileAndNoHalfFile) {
    TempFolder folder;
    EXPECT_THROW(OutputFile(folder / "no-such-folder" / "x.png", "the picture"), HostsimError);
    const auto file = folder / "old.png";
    writeFile(file, "the old picture");
    try {
        OutputFile out(file, "the picture");
        picture::writePng(picture::RgbaImage(0, 0), out);
        ADD_FAILURE() << "an empty picture was encoded";
    } catch (const HostsimError& error) {
        EXPECT_EQ(error.status(), ExitStatus::OutputFailed);
        EXPECT_NE(std::string(error.what()).find("empty"), std::string::npos) << error.what();
    }
    EXPECT_EQ(readFile(file), "the old picture");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
        ++entries;
    EXPECT_EQ(entries, 1) << "no temporary file is left beside it";
}

TEST(MonoFont, RefusesBytesThatAreNoFont) {
    EXPECT_THROW(picture::MonoFont::fromBytes({}, "empty"), HostsimError);
    EXPECT_THROW(picture::MonoFont::fromBytes(std::vector<unsigned char>(4096, 'x'), "noise"), HostsimError);
}
