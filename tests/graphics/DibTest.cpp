#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "engine/graphics/VDib.h"
#include "tests/graphics/GraphicsTestUtil.h"

TEST(DibTest, CreateMakesAGreyRampWithoutAMeaningfulPalette)
{
    VDib dib(5, 3);
    EXPECT_EQ(dib.GetBounds(), (VIntRect{0, 0, 5, 3}));
    EXPECT_EQ(dib.GetStride(), 8);
    EXPECT_EQ(dib.GetInfo().header.sizeImage, 24u);
    EXPECT_EQ(dib.GetInfo().header.clrUsed, 256u);
    EXPECT_EQ(dib.GetPaletteEntries()[77], (VPaletteEntry{77, 77, 77, 0}));
    EXPECT_FALSE(dib.HasPalette());
    EXPECT_EQ(dib.GetPalette(), nullptr);
}

TEST(DibTest, RefusedSizeLeavesTheBitmapAsItWas)
{
    VDib dib(4, 4);
    EXPECT_NE(MessageOf([&] { dib.Create(-1, 4); }), "");
    EXPECT_NE(MessageOf([&] { dib.Create(4, kMaxDibSide + 1); }), "");
    EXPECT_EQ(dib.GetWidth(), 4);
    EXPECT_NE(dib.GetBits(), nullptr);
}

TEST(DibTest, PixelsAreStoredBottomUp)
{
    auto dib = MakeDib(3, 2, [](int x, int y) { return uint8_t(10 * y + x); });
    // Stored row 0 is the bottom line (y = 1).
    EXPECT_EQ(dib->GetBits()[0], 10);
    EXPECT_EQ(dib->GetBits()[4 + 2], 2);
    EXPECT_EQ(dib->GetPixelIndex(1, 1), 11);
    EXPECT_EQ(dib->GetPixel(2, 0), ColorOf(TestColour(2)));
}

TEST(DibTest, PixelAddressesOutsideRaise)
{
    VDib dib(3, 2);
    EXPECT_EQ(MessageOf([&] { dib.GetPixelAddress(3, 0); }), "Attempt to get out of range pixel addr");
    EXPECT_EQ(MessageOf([&] { dib.GetPixelIndex(0, -1); }), "Attempt to get out of range pixel addr");
    dib.ReleaseAll();
    EXPECT_EQ(MessageOf([&] { dib.GetPixel(0, 0); }), "GetPixel: Invalid Pointer");
    EXPECT_EQ(dib.GetWidth(), 0);  // a released bitmap has nothing to address
}

TEST(DibTest, PaletteIndexSearches)
{
    VDib bare(1, 1);
    EXPECT_EQ(MessageOf([&] { bare.GetPaletteIndex(0, true); }), "VDib::GetPaletteIndex : No source palette.");

    auto black = MakeDib(1, 1, [](int, int) { return 0; });
    for (int i = 0; i < kPaletteSize; ++i)
        black->GetPaletteEntries()[i] = VPaletteEntry{};
    EXPECT_EQ(black->GetPaletteIndex(0xFFFFFF, true), -1);  // farther than 65535 from all
    EXPECT_EQ(black->GetPaletteIndex(0x000000, true), 0);

    auto dib = MakeDib(1, 1, [](int, int) { return 0; });
    VPaletteEntry* p = dib->GetPaletteEntries();
    for (int i = 0; i < kPaletteSize; ++i)
        p[i] = VPaletteEntry{200, 200, 200, 0};
    p[9] = VPaletteEntry{0, 0, 100, 0};   // red 100
    p[12] = VPaletteEntry{0, 0, 102, 0};  // red 102
    p[14] = VPaletteEntry{0, 0, 102, 0};
    EXPECT_EQ(dib->GetPaletteIndex(101, true), 9);   // equally near: the first wins
    EXPECT_EQ(dib->GetPaletteIndex(102, true), 12);  // exact: at once
    EXPECT_EQ(dib->GetPaletteIndex(102, false), 12);
    EXPECT_EQ(dib->GetPaletteIndex(101, false), -1);
    EXPECT_EQ(dib->GetPaletteIndex(0x7F000066, false), 12);  // high byte ignored
}

TEST(DibTest, FillCoversPaddingAndFillRectClips)
{
    VDib dib(5, 4);
    dib.Fill(-1);  // as a byte: 255
    for (uint8_t b : Bytes(dib))
        EXPECT_EQ(b, 255);

    dib.Fill(0);
    // Clipped to (3.5, 0, 1.5, 1.5): the truncated width (1) from the truncated x, and
    // rows while the row counter is below the height.
    dib.FillRect(VRect(3.5f, -1, 10, 2.5f), 7);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(dib.GetPixelIndex(x, y), (x == 3 && y <= 1) ? 7 : 0) << x << "," << y;
    EXPECT_EQ(dib.GetBits()[5], 0);  // padding of a row untouched

    dib.FillRect(VRect(-20, -20, 5, 5), 9);  // nothing visible
    dib.FillRect(VRect(0.5f, 0.5f, 4.5f, 3.5f), 3);
    EXPECT_EQ(dib.GetPixelIndex(0, 0), 3);
    EXPECT_EQ(dib.GetPixelIndex(3, 3), 3);
    EXPECT_EQ(dib.GetPixelIndex(4, 3), 0);
}

TEST(DibTest, CopyConstructionCopiesSizePalettePixels)
{
    auto dib = MakeDib(6, 3, [](int x, int y) { return uint8_t(x * y + 1); });
    VDib copy(*dib);
    EXPECT_TRUE(copy.HasPalette());
    EXPECT_EQ(Bytes(copy), Bytes(*dib));
    EXPECT_EQ(std::memcmp(copy.GetPaletteEntries(), dib->GetPaletteEntries(), 1024), 0);
}

namespace {

class CountingPlatform : public VDibPlatform {
public:
    VDibSection CreateSection(const VDibInfo& info) override
    {
        ++sections;
        return inner.CreateSection(info);
    }
    void DeleteSection(VDibSection s) override
    {
        --sections;
        inner.DeleteSection(s);
    }
    VHandle CreatePalette(const VPaletteEntry* e) override
    {
        ++palettes;
        return inner.CreatePalette(e);
    }
    void DeletePalette(VHandle p) override
    {
        --palettes;
        inner.DeletePalette(p);
    }
    VHandle CreateSectionDC(VDibSection s, VHandle& previous) override
    {
        ++dcs;
        previous = &dcs;
        return &sections;
    }
    void DeleteSectionDC(VHandle dc, VHandle previous) override
    {
        EXPECT_EQ(previous, &dcs);
        --dcs;
    }
    VDibPlatform& inner = GetDibPlatform();
    int sections = 0, palettes = 0, dcs = 0;
};

}  // namespace

TEST(DibTest, PlatformObjectsAreMadeOnceAndGivenBack)
{
    CountingPlatform platform;
    SetDibPlatform(&platform);
    {
        auto dib = MakeDib(4, 4, [](int, int) { return 1; });
        EXPECT_EQ(platform.sections, 1);
        VDib copy(*dib);
        EXPECT_EQ(platform.sections, 2);
    }
    SetDibPlatform(nullptr);
    EXPECT_EQ(platform.sections, 0);
    EXPECT_EQ(platform.palettes, 0);
}

TEST(DibTest, PaletteHandleAndDCStack)
{
    CountingPlatform platform;
    SetDibPlatform(&platform);
    {
        auto dib = MakeDib(4, 4, [](int, int) { return 1; });
        VHandle palette = dib->GetPalette();
        EXPECT_NE(palette, nullptr);
        EXPECT_EQ(dib->GetPalette(), palette);
        EXPECT_EQ(platform.palettes, 1);
        dib->Create(2, 2);  // forgets the palette
        EXPECT_EQ(platform.palettes, 0);
        EXPECT_EQ(dib->GetPalette(), nullptr);

        VHandle dc = dib->PushDC();
        EXPECT_EQ(dib->PushDC(), dc);
        EXPECT_EQ(platform.dcs, 1);
        dib->PopDC();
        EXPECT_EQ(platform.dcs, 1);
        dib->PopDC();
        EXPECT_EQ(platform.dcs, 0);
        EXPECT_EQ(MessageOf([&] { dib->PopDC(); }), "Get/ReleaseDC stack: pops exceed pushes");
        EXPECT_EQ(dib->GetDCDepth(), 0);
        dib->PushDC();  // left outstanding: destruction gives it back
    }
    EXPECT_EQ(platform.dcs, 0);
    {
        VDib dib(2, 2);
        dib.ReleaseAll();
        EXPECT_EQ(MessageOf([&] { dib.PushDC(); }), "Cannot get DC when no bitmap exists.");
    }
    SetDibPlatform(nullptr);
    EXPECT_EQ(platform.sections, 0);
}

namespace {

struct Shown {
    int x, y, w, h, sx, sy, sw, sh;
    bool operator==(const Shown&) const = default;
};

class RecordingTarget : public VDrawTarget {
public:
    void ShowBits(VDib& dib, int32_t x, int32_t y, int32_t w, int32_t h, int32_t sx, int32_t sy,
                  int32_t sw, int32_t sh) override
    {
        shown.push_back({x, y, w, h, sx, sy, sw, sh});
    }
    std::vector<Shown> shown;
};

}  // namespace

TEST(DibTest, DrawAndDrawRectsHandTheTargetPartsInsideTheBitmap)
{
    VDib dib(100, 50);
    RecordingTarget target;
    dib.Draw(&target, 3, 4);
    dib.Draw(&target, 0, 0, 200, kDibOwnSize);
    EXPECT_EQ(target.shown[0], (Shown{3, 4, 100, 50, 0, 0, 100, 50}));
    EXPECT_EQ(target.shown[1], (Shown{0, 0, 200, 50, 0, 0, 100, 50}));

    target.shown.clear();
    VRect a(10, 5, 20, 10), outside(200, 0, 5, 5), partly(90.7f, 40, 30, 30);
    VRectList list{&a, nullptr, &outside, &partly};
    dib.DrawRects(&target, 0, 0, 0, 0, &list);
    ASSERT_EQ(target.shown.size(), 2u);
    EXPECT_EQ(target.shown[0], (Shown{10, 5, 20, 10, 10, 35, 20, 10}));  // bottom-up source y
    EXPECT_EQ(target.shown[1], (Shown{90, 40, 10, 10, 90, 0, 10, 10}));

    target.shown.clear();
    dib.DrawRects(&target, 0, 0, kDibOwnSize, kDibOwnSize, nullptr);
    EXPECT_EQ(target.shown[0], (Shown{0, 0, 100, 50, 0, 0, 100, 50}));
}

TEST(DibTest, SaveToStreamIsNotAvailable)
{
    VDib dib(1, 1);
    std::ostringstream out;
    EXPECT_EQ(MessageOf([&] { dib.SaveToStream(out); }), "VDib:SaveToStream");
}
