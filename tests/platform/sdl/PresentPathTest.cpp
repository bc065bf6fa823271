#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <vector>

#include "engine/graphics/VDib.h"
#include "platform/sdl/VFrameRateMeter.h"
#include "platform/sdl/VIndexedConverter.h"
#include "engine/graphics/VPaletteFade.h"
#include "platform/sdl/VReadoutText.h"

namespace {

// A bitmap whose palette entry i is (red i, green 255 - i, blue i / 2).
VDib RampDib(int width, int height)
{
    VDib dib(width, height);
    VPaletteEntry* entries = dib.GetPaletteEntries();
    for (int i = 0; i < kPaletteSize; ++i)
        entries[i] = VPaletteEntry{uint8_t(i / 2), uint8_t(255 - i), uint8_t(i), 0};
    return dib;
}

// Pixel (x, y) with y counted from the top.
void Put(VDib& dib, int x, int y, uint8_t index) { *dib.GetPixelAddress(x, y) = index; }

uint32_t Red(uint32_t c) { return (c >> 16) & 0xFF; }
uint32_t Green(uint32_t c) { return (c >> 8) & 0xFF; }
uint32_t Blue(uint32_t c) { return c & 0xFF; }

}  // namespace

TEST(IndexedConverter, ConvertsThroughThePaletteTopRowFirst)
{
    // A width that is no multiple of 4 has padded rows; the pitch is wider than the picture.
    VDib dib = RampDib(5, 3);
    dib.Fill(0);
    Put(dib, 0, 0, 200);  // top-left
    Put(dib, 4, 2, 7);    // bottom-right
    VIndexedConverter converter;
    converter.SetPalette(dib.GetPaletteEntries());
    const int pitch = 8 * 4;
    std::vector<uint32_t> out(8 * 3, 0x12345678u);
    converter.Convert(dib, out.data(), pitch);
    EXPECT_EQ(out[0], 0xFF000000u | (200u << 16) | (55u << 8) | 100u);
    EXPECT_EQ(out[2 * 8 + 4], 0xFF000000u | (7u << 16) | (248u << 8) | 3u);
    EXPECT_EQ(out[1 * 8 + 2], converter.ColorAt(0));
    // Nothing is written past the picture's width.
    EXPECT_EQ(out[5], 0x12345678u);
    EXPECT_EQ(out[2 * 8 + 7], 0x12345678u);
}

TEST(IndexedConverter, PaletteChangesNeedANewTable)
{
    VDib dib = RampDib(4, 1);
    dib.Fill(9);
    VIndexedConverter converter;
    converter.SetPalette(dib.GetPaletteEntries());
    dib.GetPaletteEntries()[9] = VPaletteEntry{1, 2, 3, 0};
    std::vector<uint32_t> out(4);
    converter.Convert(dib, out.data(), 16);
    EXPECT_EQ(Red(out[0]), 9u);
    converter.SetPalette(dib.GetPaletteEntries());
    converter.Convert(dib, out.data(), 16);
    EXPECT_EQ(out[0], 0xFF030201u);
}

TEST(IndexedConverter, ScaledConversionTakesThePixelUnderEachCentre)
{
    VDib dib = RampDib(6, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            Put(dib, x, y, uint8_t(10 * y + x));
    VIndexedConverter converter;
    converter.SetPalette(dib.GetPaletteEntries());
    // Twice the size: every pixel becomes a 2 x 2 block, top row first.
    std::vector<uint32_t> twice(12 * 8);
    converter.ConvertScaled(dib, twice.data(), 12 * 4, 12, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x)
            ASSERT_EQ(twice[size_t(y * 12 + x)], converter.ColorAt(10 * (y / 2) + x / 2)) << x << "," << y;
    // 6 x 4 to 9 x 5, into a wider buffer whose extra column stays untouched: output column x
    // takes source column (2x + 1) * 6 / 18, row y takes (2y + 1) * 4 / 10.
    std::vector<uint32_t> odd(10 * 5, 0x12345678u);
    converter.ConvertScaled(dib, odd.data(), 10 * 4, 9, 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 9; ++x)
            ASSERT_EQ(odd[size_t(y * 10 + x)], converter.ColorAt(10 * ((2 * y + 1) * 4 / 10) + (2 * x + 1) * 6 / 18))
                << x << "," << y;
        EXPECT_EQ(odd[size_t(y * 10 + 9)], 0x12345678u);
    }
    // The frame's own size is the plain conversion, also after another size was asked for.
    std::vector<uint32_t> same(6 * 4), plain(6 * 4);
    converter.ConvertScaled(dib, same.data(), 6 * 4, 6, 4);
    converter.Convert(dib, plain.data(), 6 * 4);
    EXPECT_EQ(same, plain);
    converter.ConvertScaled(dib, twice.data(), 12 * 4, 12, 8);
    EXPECT_EQ(twice[size_t(7 * 12 + 11)], converter.ColorAt(35));
}

TEST(IndexedConverter, PartsMatchTheWholePictureAndBlendsStayBetweenTheirColours)
{
    VDib dib = RampDib(30, 20);
    std::mt19937 random(3);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            Put(dib, x, y, uint8_t(random()));
    VIndexedConverter converter;
    converter.SetPalette(dib.GetPaletteEntries());
    // At a whole factor the block path, at another the blend, and the frame's own size: a
    // part written alone is exactly the whole picture's pixels there, and nothing around it.
    for (auto [w, h, filtered] : {std::tuple{90, 60, false}, {45, 30, true}, {30, 20, false}}) {
        std::vector<uint32_t> whole(size_t(w * h));
        converter.ConvertPart(dib, whole.data(), w * 4, w, h, VIntRect{0, 0, w, h}, filtered);
        const VIntRect part{w / 3, h / 2, w / 3, h / 4};
        std::vector<uint32_t> some(size_t(w * h), 0x12345678u);
        converter.ConvertPart(dib, some.data() + part.y * w + part.x, w * 4, w, h, part, filtered);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const bool inside = x >= part.x && x < part.x + part.width && y >= part.y &&
                                    y < part.y + part.height;
                ASSERT_EQ(some[size_t(y * w + x)], inside ? whole[size_t(y * w + x)] : 0x12345678u)
                    << w << "x" << h << " at " << x << "," << y;
            }
    }
    std::vector<uint32_t> nearest(90 * 60);
    converter.ConvertScaled(dib, nearest.data(), 90 * 4, 90, 60);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 90; ++x)
            ASSERT_EQ(nearest[size_t(y * 90 + x)], converter.ColorAt(dib.GetPixelIndex(x / 3, y / 3)));

    // Two colours side by side, blended 1.5 times larger: the edge passes through colours
    // between them; the far sides keep theirs.
    VDib halves = RampDib(4, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            Put(halves, x, y, x < 2 ? 0 : 200);
    converter.SetPalette(halves.GetPaletteEntries());
    std::vector<uint32_t> out(6 * 3);
    converter.ConvertPart(halves, out.data(), 6 * 4, 6, 3, VIntRect{0, 0, 6, 3}, true);
    EXPECT_EQ(out[0], converter.ColorAt(0));
    EXPECT_EQ(out[5], converter.ColorAt(200));
    for (int x = 1; x < 6; ++x)
        EXPECT_GE(Red(out[size_t(x)]), Red(out[size_t(x - 1)]));
    EXPECT_GT(Red(out[3]), 0u);
    EXPECT_LT(Red(out[2]), 200u);
}

TEST(IndexedConverter, ReductionAveragesEachBlockWithRounding)
{
    VDib dib(608, 448);
    VPaletteEntry* entries = dib.GetPaletteEntries();
    for (int i = 0; i < kPaletteSize; ++i)
        entries[i] = VPaletteEntry{0, 0, 0, 0};
    entries[1] = VPaletteEntry{0, 0, 255, 0};     // pure red
    entries[2] = VPaletteEntry{10, 20, 30, 0};
    dib.Fill(0);
    // One red pixel in the top-left block: (255 + 8) / 16 = 16.
    Put(dib, 3, 2, 1);
    // The block at preview (151, 111), the last one, is filled with colour 2 throughout.
    for (int y = 444; y < 448; ++y)
        for (int x = 604; x < 608; ++x)
            Put(dib, x, y, 2);
    // Eight of sixteen at blue 255 in block (1, 0): (8 * 255 + 8) / 16 = 128.
    entries[3] = VPaletteEntry{255, 0, 0, 0};
    for (int x = 4; x < 8; ++x) {
        Put(dib, x, 0, 3);
        Put(dib, x, 3, 3);
    }
    VIndexedConverter converter;
    converter.SetPalette(entries);
    std::vector<uint32_t> out(152 * 112);
    converter.Reduce4(dib, out.data(), 152 * 4);
    EXPECT_EQ(Red(out[0]), 16u);
    EXPECT_EQ(Green(out[0]), 0u);
    EXPECT_EQ(Blue(out[1]), 128u);
    EXPECT_EQ(Red(out[1]), 0u);
    const uint32_t last = out[111 * 152 + 151];
    EXPECT_EQ(Red(last), 30u);
    EXPECT_EQ(Green(last), 20u);
    EXPECT_EQ(Blue(last), 10u);
    EXPECT_EQ(out[50 * 152 + 70], 0xFF000000u);
}

TEST(IndexedConverter, ReductionMatchesAPlainAverageEvenAtFullBrightness)
{
    // Random colours with many at 255 in every channel: no channel's sum may spill into another.
    VDib dib(608, 448);
    VPaletteEntry* entries = dib.GetPaletteEntries();
    std::mt19937 random(7);
    auto channel = [&] { return uint8_t(random() % 3 == 0 ? 255 : random() % 256); };
    for (int i = 0; i < kPaletteSize; ++i)
        entries[i] = VPaletteEntry{channel(), channel(), channel(), 0};
    entries[0] = VPaletteEntry{255, 255, 255, 0};
    for (int y = 0; y < 448; ++y)
        for (int x = 0; x < 608; ++x)
            Put(dib, x, y, y < 4 ? 0 : uint8_t(random()));
    VIndexedConverter converter;
    converter.SetPalette(entries);
    std::vector<uint32_t> out(152 * 112);
    converter.Reduce4(dib, out.data(), 152 * 4);
    EXPECT_EQ(out[0], 0xFFFFFFFFu);
    int wrong = 0;
    for (int by = 0; by < 112; ++by)
        for (int bx = 0; bx < 152; ++bx) {
            uint32_t sum[3] = {};
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x) {
                    const uint32_t c = converter.ColorAt(dib.GetPixelIndex(4 * bx + x, 4 * by + y));
                    sum[0] += Red(c), sum[1] += Green(c), sum[2] += Blue(c);
                }
            const uint32_t expected = 0xFF000000u | ((sum[0] + 8) / 16) << 16 |
                                      ((sum[1] + 8) / 16) << 8 | ((sum[2] + 8) / 16);
            wrong += out[by * 152 + bx] != expected;
        }
    EXPECT_EQ(wrong, 0);
}

TEST(IndexedConverter, ReductionLeavesOutPartialBlocks)
{
    VDib dib(10, 6);  // 2 x 1 whole blocks; two columns and two rows left over
    VPaletteEntry* entries = dib.GetPaletteEntries();
    entries[0] = VPaletteEntry{0, 0, 0, 0};
    entries[1] = VPaletteEntry{0, 0, 160, 0};
    dib.Fill(0);
    for (int y = 0; y < 6; ++y)
        for (int x = 8; x < 10; ++x)
            Put(dib, x, y, 1);
    for (int x = 0; x < 10; ++x)
        Put(dib, x, 5, 1);
    VIndexedConverter converter;
    converter.SetPalette(entries);
    std::vector<uint32_t> out(3, 0xABCDEFu);
    converter.Reduce4(dib, out.data(), 3 * 4);
    EXPECT_EQ(out[0], 0xFF000000u);
    EXPECT_EQ(out[1], 0xFF000000u);
    EXPECT_EQ(out[2], 0xABCDEFu);
}

TEST(PaletteFade, DarkeningReachesBlackInTheLastStepAndNeverWraps)
{
    VPaletteEntry entries[kPaletteSize];
    for (int i = 0; i < kPaletteSize; ++i)
        entries[i] = VPaletteEntry{uint8_t(i), uint8_t(255 - i), 255, 77};
    VPaletteFade::Darken(entries);
    EXPECT_EQ(entries[2].blue, 0);   // 2 - 4 stops at 0
    EXPECT_EQ(entries[10].blue, 6);
    EXPECT_EQ(entries[0].red, 251);
    EXPECT_EQ(entries[0].reserved, 77);
    for (int step = 1; step < VPaletteFade::kSteps - 1; ++step)
        VPaletteFade::Darken(entries);
    EXPECT_EQ(entries[0].red, 3);  // 255 - 63 * 4: one step short of black
    VPaletteFade::Darken(entries);
    for (const VPaletteEntry& e : entries)
        EXPECT_EQ(e.red | e.green | e.blue, 0);
}

TEST(PaletteFade, LighteningRisesFromBlackToTwoBelowTheColours)
{
    VPaletteEntry saved[kPaletteSize];
    for (int i = 0; i < kPaletteSize; ++i)
        saved[i] = VPaletteEntry{uint8_t(i), 0, 255, 0};
    VPaletteEntry entries[kPaletteSize];
    VPaletteFade::Lighten(saved, 0, entries);  // o = 254
    EXPECT_EQ(entries[0].red, 1);
    EXPECT_EQ(entries[254].blue, 0);
    EXPECT_EQ(entries[255].blue, 1);
    VPaletteFade::Lighten(saved, 32, entries);  // o = 126
    EXPECT_EQ(entries[200].blue, 74);
    EXPECT_EQ(entries[126].blue, 0);
    VPaletteFade::Lighten(saved, VPaletteFade::kSteps - 1, entries);  // o = 2
    EXPECT_EQ(entries[0].red, 253);
    EXPECT_EQ(entries[2].blue, 0);
    EXPECT_EQ(entries[3].blue, 1);
    VPaletteFade::Black(entries);
    EXPECT_EQ(entries[0].red, 0);
}

TEST(FrameRateMeter, SmoothsTowardsTheRateAndSkipsTheFirstFrame)
{
    VFrameRateMeter meter;
    EXPECT_FALSE(meter.Frame(1000));
    EXPECT_DOUBLE_EQ(meter.GetRate(), 10.0);
    EXPECT_TRUE(meter.Frame(1020));
    EXPECT_DOUBLE_EQ(meter.GetRate(), 12.0);
    // Two frames in the same millisecond count as 5 ms apart.
    EXPECT_TRUE(meter.Frame(1020));
    EXPECT_DOUBLE_EQ(meter.GetRate(), 12.0 * 0.95 + 200.0 * 0.05);
    // After a reset the long gap does not enter the average.
    meter.Reset();
    const double before = meter.GetRate();
    EXPECT_FALSE(meter.Frame(90000));
    EXPECT_DOUBLE_EQ(meter.GetRate(), before);
}

TEST(ReadoutText, DrawsInsideItsBoxAndClipsAtTheEdges)
{
    std::vector<uint32_t> pixels(20 * 12, 0x00112233u);
    DrawReadoutText(pixels.data(), 20 * 4, 20, 12, 0, 1, "18.5", 1);
    // "1": middle column of the top row is lit; its left column is not.
    EXPECT_EQ(pixels[1 * 20 + 1], 0xFFFFFFFFu);
    EXPECT_EQ(pixels[1 * 20 + 0], 0xFF000000u);
    // Below the glyph box the picture is untouched.
    EXPECT_EQ(pixels[10 * 20 + 1], 0x00112233u);
    // Text that runs past the right and bottom edges is cut, not wrapped or written out of
    // bounds (the sanitizer build watches the buffer's ends): the first "8" keeps its right
    // column, and the row the second glyph would wrap into stays as it was.
    std::vector<uint32_t> edge(20 * 12, 0x00112233u);
    DrawReadoutText(edge.data(), 20 * 4, 20, 12, 14, 8, "8888", 2);
    EXPECT_EQ(edge[11 * 20 + 19], 0xFFFFFFFFu);
    EXPECT_EQ(edge[11 * 20 + 0], 0x00112233u);
}
