#include <gtest/gtest.h>

#include "engine/graphics/VDib.h"
#include "engine/graphics/VPaletteFade.h"
#include "platform/win32/VFrameRateSmoother.h"
#include "platform/win32/VPreviewReduction.h"

namespace {

// Output pixel (x, y), y from the top, of a bottom-up 24-bit image `height` rows high.
const uint8_t* OutPixel(const std::vector<uint8_t>& image, int width, int height, int x, int y)
{
    return image.data() + size_t(TrueColorStride(width)) * size_t(height - 1 - y) + size_t(x) * 3;
}

}  // namespace

TEST(PreviewReduction, AveragesEachBlockThroughThePalette)
{
    VDib dib(608, 448);
    VPaletteEntry* colours = dib.GetPaletteEntries();
    colours[0] = VPaletteEntry{};
    colours[1] = VPaletteEntry{0, 0, 255, 0};
    colours[2] = VPaletteEntry{255, 128, 0, 0};
    dib.Fill(0);
    // One red pixel in the top-left block; the bottom-right block all blue-green.
    *dib.GetPixelAddress(3, 2) = 1;
    for (int y = 444; y < 448; ++y)
        for (int x = 604; x < 608; ++x)
            *dib.GetPixelAddress(x, y) = 2;

    std::vector<uint8_t> out = ReduceByFour(dib);
    ASSERT_EQ(out.size(), size_t(TrueColorStride(152)) * 112u);
    EXPECT_EQ(out.size(), 51072u);
    const uint8_t* corner = OutPixel(out, 152, 112, 0, 0);
    EXPECT_EQ(corner[2], (255 + 8) / 16);  // red
    EXPECT_EQ(corner[0], 0);
    const uint8_t* last = OutPixel(out, 152, 112, 151, 111);
    EXPECT_EQ(last[0], 255);
    EXPECT_EQ(last[1], 128);
    EXPECT_EQ(last[2], 0);
    EXPECT_EQ(OutPixel(out, 152, 112, 1, 0)[2], 0);
}

TEST(PreviewReduction, LeftoverRowsAndColumnsAreDropped)
{
    // 9 x 10: two by two blocks; the top-left block still lands top-left.
    VDib dib(9, 10);
    dib.GetPaletteEntries()[7] = VPaletteEntry{16, 32, 48, 0};
    dib.Fill(0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            *dib.GetPixelAddress(x, y) = 7;
    std::vector<uint8_t> out = ReduceByFour(dib);
    ASSERT_EQ(out.size(), size_t(TrueColorStride(2)) * 2u);
    const uint8_t* topLeft = OutPixel(out, 2, 2, 0, 0);
    EXPECT_EQ(topLeft[0], 16);
    EXPECT_EQ(topLeft[1], 32);
    EXPECT_EQ(topLeft[2], 48);
    EXPECT_EQ(OutPixel(out, 2, 2, 0, 1)[0], 0);
    EXPECT_TRUE(ReduceByFour(VDib(3, 3)).empty());
}

TEST(PaletteFade, OutStepsReachBlackAndInStepsReachTheSavedColours)
{
    VPaletteEntry saved[kPaletteSize];
    for (int i = 0; i < kPaletteSize; ++i)
        saved[i] = VPaletteEntry{uint8_t(i), uint8_t(255 - i), uint8_t(i | 3), 0};
    VPaletteEntry entries[kPaletteSize];
    std::copy(saved, saved + kPaletteSize, entries);

    VPaletteFade::Darken(entries);
    EXPECT_EQ(entries[2].blue, 0);  // 2 - 4 stops at 0
    EXPECT_EQ(entries[10].blue, 6);
    for (int step = 1; step < VPaletteFade::kSteps; ++step)
        VPaletteFade::Darken(entries);
    for (const VPaletteEntry& e : entries)
        EXPECT_EQ(e, VPaletteEntry{});

    VPaletteFade::Lighten(saved, 0, entries);  // o = 254
    EXPECT_EQ(entries[255].blue, 1);
    EXPECT_EQ(entries[254].blue, 0);
    EXPECT_EQ(entries[0].green, 1);
    int steps = 0;
    for (int o = 254; o >= 2; o -= 4, ++steps)
        VPaletteFade::Lighten(saved, (254 - o) / 4, entries);
    EXPECT_EQ(steps, VPaletteFade::kSteps);
    EXPECT_EQ(entries[200].blue, 198);
    EXPECT_EQ(entries[1].blue, 0);

    VPaletteFade::Black(entries);
    EXPECT_EQ(entries[200], VPaletteEntry{});
}

TEST(FrameRateSmoother, FirstPresentOnlyRemembersTheTime)
{
    VFrameRateSmoother rate;
    EXPECT_FALSE(rate.Present(1000.0));
    EXPECT_TRUE(rate.Present(1020.0));
    EXPECT_DOUBLE_EQ(rate.GetRate(), 12.0);  // 10 x 0.95 + 50 x 0.05
    // Two presents in one millisecond count as 5 ms apart.
    EXPECT_TRUE(rate.Present(1020.0));
    EXPECT_DOUBLE_EQ(rate.GetRate(), 12.0 * 0.95 + 200.0 * 0.05);
    rate.Reset();
    EXPECT_FALSE(rate.Present(5000.0));
}
