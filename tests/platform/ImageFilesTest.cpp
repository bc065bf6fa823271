// PNG files in and out, and the frame file names of a recording.
#include <gtest/gtest.h>
#include <unistd.h>

#include "engine/stream/VException.h"
#include "platform/headless/VFrameRecorder.h"
#include "platform/headless/VPngFile.h"
#include "tests/platform/Decoders.h"
#include "tests/platform/TempDir.h"

namespace {

VIndexedImage Pattern(int w, int h)
{
    VIndexedImage image;
    image.width = w;
    image.height = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.pixels.push_back(uint8_t((x * 7 + y * 3) % 256));
    for (int i = 0; i < kPaletteSize; ++i)
        image.palette[i] = {uint8_t(255 - i), uint8_t(i / 3), uint8_t(i), 0};
    return image;
}

}  // namespace

using ImageFiles = TempDirTest;

TEST_F(ImageFiles, PngIsPaletteIndexedWithTheImagesPalette)
{
    VIndexedImage image = Pattern(37, 5);
    WritePngFile(Path("a.png"), image);
    decode::Png png = decode::ReadPng(Path("a.png"));
    ASSERT_TRUE(png.ok);
    EXPECT_EQ(png.colorType, PNG_COLOR_TYPE_PALETTE);
    EXPECT_EQ(png.depth, 8);
    EXPECT_EQ(png.width, 37u);
    EXPECT_EQ(png.height, 5u);
    ASSERT_EQ(png.palette.size(), 256u);
    EXPECT_EQ(png.palette[9].red, 9);
    EXPECT_EQ(png.palette[9].green, 3);
    EXPECT_EQ(png.palette[9].blue, 246);
    EXPECT_EQ(png.rows[4][36], image.At(36, 4));
    EXPECT_EQ(png.rows[0][1], image.At(1, 0));

    VIndexedImage back = ReadPngFile(Path("a.png"));
    EXPECT_EQ(back, image);
}

TEST_F(ImageFiles, ReadingRefusesWhatIsNotAnIndexedPng)
{
    EXPECT_THROW(ReadPngFile(Path("missing.png")), VException);
    {
        std::FILE* f = std::fopen(Path("text.png").c_str(), "wb");
        std::fputs("not a png at all", f);
        std::fclose(f);
    }
    EXPECT_THROW(ReadPngFile(Path("text.png")), VException);

    png_image rgb{};
    rgb.version = PNG_IMAGE_VERSION;
    rgb.width = 2;
    rgb.height = 2;
    rgb.format = PNG_FORMAT_RGB;
    uint8_t pixels[12] = {};
    ASSERT_TRUE(png_image_write_to_file(&rgb, Path("rgb.png").c_str(), 0, pixels, 0, nullptr));
    try {
        ReadPngFile(Path("rgb.png"));
        FAIL();
    } catch (const VException& e) {
        EXPECT_NE(e.GetMessage().find("8-bit palette-indexed"), std::string::npos) << e.GetMessage();
    }

    // A small palette with a pixel beyond it.
    VIndexedImage small = Pattern(4, 1);
    small.paletteSize = 4;
    small.pixels = {0, 1, 3, 2};
    WritePngFile(Path("small.png"), small);
    EXPECT_EQ(ReadPngFile(Path("small.png")).paletteSize, 4);
    // Neither written nor read: an index past the palette names no colour.
    small.pixels[2] = 9;
    EXPECT_THROW(WritePngFile(Path("bad.png"), small), VException);
}

TEST_F(ImageFiles, CutPngIsRefusedWithAMessage)
{
    WritePngFile(Path("a.png"), Pattern(64, 64));
    std::filesystem::resize_file(Path("a.png"), 120);
    EXPECT_THROW(ReadPngFile(Path("a.png")), VException);
}

TEST(FramePath, NumbersGoWhereTheHashesAreOrBeforeTheExtension)
{
    EXPECT_EQ(FramePath("out/shot-####.png", 7), "out/shot-0007.png");
    EXPECT_EQ(FramePath("shot#.png", 123), "shot123.png");
    EXPECT_EQ(FramePath("dir.v2/frame.png", 3), "dir.v2/frame-00003.png");
    EXPECT_EQ(FramePath("dir.v2/frame", 3), "dir.v2/frame-00003");
}
