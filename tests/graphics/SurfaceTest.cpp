#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "engine/graphics/VDibSurface.h"
#include "tests/graphics/GraphicsTestUtil.h"

namespace {

// A surface holding `dib`'s image (size, palette, pixels).
std::unique_ptr<VDibSurface> SurfaceOf(const VDib& dib)
{
    auto surface = std::make_unique<VDibSurface>(1, 1);
    std::string bytes = BmpBytes(dib);
    VMemoryStream stream(bytes);
    int length = 0;
    surface->LoadFromStream(stream, length, int64_t(bytes.size()));
    EXPECT_EQ(length, int(bytes.size()));
    return surface;
}

std::unique_ptr<VDibSurface> Numbered(int width, int height)
{
    return SurfaceOf(*MakeDib(width, height, [](int x, int y) { return uint8_t(1 + x + 10 * y); }));
}

class OtherSurface : public VSurface {
public:
    void LoadFromStream(std::istream&, int&, int64_t) override {}
    void CopyFrom(const VSurface&) override {}
    float GetWidth() const override { return 7; }
    float GetHeight() const override { return 5; }
    int32_t GetPixel(float, float) const override { return 0; }
    void Resize(float, float, bool) override {}
    bool LoadFromFile(const std::string&) override { return false; }
    void SaveToStream(std::ostream&) override {}
    int32_t GetTransparentColor() const override { return -1; }
    void SetTransparentColor(int32_t) override {}
    void Draw(const VSurface&, float, float, float, float, float, float, float, float, bool, bool) override {}
    void FillRect(const VRect&, int32_t) override {}
    void Fill(int32_t) override {}
    VRect GetRect() const override { return VRect(0, 0, 7, 5); }
    VDib* GetDib() override { return nullptr; }
    const VDib* GetDib() const override { return nullptr; }
};

}  // namespace

TEST(SurfaceTest, ConstructionTruncatesTheSize)
{
    VDibSurface surface(10.9f, 3.2f);
    EXPECT_EQ(surface.GetWidth(), 10);
    EXPECT_EQ(surface.GetHeight(), 3);
    EXPECT_EQ(surface.GetRect(), VRect(0, 0, 10, 3));
    EXPECT_EQ(surface.GetTransparentColor(), -1);
    EXPECT_NE(MessageOf([] { VDibSurface bad(-5, 3); }), "");
    EXPECT_NE(MessageOf([] { VDibSurface bad(NAN, 3); }), "");
    EXPECT_NE(MessageOf([] { VDibSurface bad(1e30f, 3); }), "");
}

TEST(SurfaceTest, TransparentColourPicksTheNearestEntry)
{
    auto surface = Numbered(4, 4);
    VPaletteEntry* p = surface->GetDib()->GetPaletteEntries();
    for (int i = 0; i < kPaletteSize; ++i)
        p[i] = VPaletteEntry{0, 0, 0, 0};
    p[7] = VPaletteEntry{0x30, 0x20, 0x10, 0};
    surface->SetTransparentColor(0x302010);
    EXPECT_EQ(surface->GetTransparentIndex(), 7);
    EXPECT_EQ(surface->GetTransparentColor(), 0x302010);
    surface->SetTransparentColor(0x302011);  // near, not equal
    EXPECT_EQ(surface->GetTransparentIndex(), 7);
    EXPECT_EQ(surface->GetTransparentColor(), 0x302010);
    surface->SetTransparentColor(0xFFFFFF);  // nothing near enough
    EXPECT_EQ(surface->GetTransparentColor(), -1);
    surface->SetTransparentColor(-1);
    EXPECT_EQ(surface->GetTransparentColor(), -1);
}

TEST(SurfaceTest, DrawUsesTheSourcesTransparencyAndMirrors)
{
    auto source = Numbered(10, 1);
    auto target = SurfaceOf(*MakeDib(12, 1, [](int, int) { return 0; }));
    source->SetTransparentColor(-1);
    target->Draw(*source, 0, 0, 10, 1, 1, 0, 10, 1, true, false);
    EXPECT_EQ(target->GetDib()->GetPixelIndex(0, 0), 0);
    EXPECT_EQ(target->GetDib()->GetPixelIndex(1, 0), 10);
    EXPECT_EQ(target->GetDib()->GetPixelIndex(10, 0), 1);
    EXPECT_EQ(target->GetDib()->GetPixelIndex(11, 0), 0);

    source->SetTransparentColor(ColorOf(TestColour(3)));
    target->Fill(ColorOf(TestColour(50)));
    source->DrawTo(2, 0, *target);
    EXPECT_EQ(target->GetDib()->GetPixelIndex(2, 0), 1);
    EXPECT_EQ(target->GetDib()->GetPixelIndex(4, 0), 50);  // index 3 is see-through
    EXPECT_EQ(target->GetDib()->GetPixelIndex(5, 0), 4);

    target->Draw(OtherSurface(), 0, 0, 3, 3, 0, 0, 3, 3, false, false);  // ignored
    EXPECT_EQ(target->GetDib()->GetPixelIndex(0, 0), 50);
}

TEST(SurfaceTest, ResizeKeepsOrStretchesTheImage)
{
    auto surface = Numbered(2, 2);
    surface->Resize(3, 3, false);
    EXPECT_EQ(surface->GetWidth(), 3);
    EXPECT_EQ(surface->GetDib()->GetPixelIndex(0, 0), 1);
    EXPECT_EQ(surface->GetDib()->GetPixelIndex(1, 1), 12);
    EXPECT_TRUE(surface->GetDib()->HasPalette());

    auto stretched = Numbered(2, 2);
    stretched->Resize(4, 4, true);
    EXPECT_EQ(stretched->GetDib()->GetPixelIndex(3, 0), 2);
    EXPECT_EQ(stretched->GetDib()->GetPixelIndex(0, 3), 11);

    VDibSurface blank(2, 2);
    blank.Resize(5, 1, true);
    EXPECT_FALSE(blank.GetDib()->HasPalette());
    EXPECT_EQ(blank.GetDib()->GetPaletteEntries()[5], (VPaletteEntry{5, 5, 5, 0}));
}

TEST(SurfaceTest, CopyFromTakesImageAndTransparency)
{
    auto source = Numbered(3, 2);
    source->SetTransparentColor(ColorOf(TestColour(2)));
    VDibSurface copy(1, 1);
    copy.CopyFrom(*source);
    EXPECT_EQ(copy.GetWidth(), 3);
    EXPECT_EQ(copy.GetTransparentIndex(), 2);
    EXPECT_EQ(Bytes(*copy.GetDib()), Bytes(*source->GetDib()));
    EXPECT_EQ(copy.GetPixel(1, 1), ColorOf(TestColour(12)));

    copy.CopyFrom(OtherSurface());  // another kind of surface (7 x 5): changes nothing
    EXPECT_EQ(copy.GetWidth(), 3);
    EXPECT_EQ(copy.GetHeight(), 2);
    EXPECT_EQ(Bytes(*copy.GetDib()), Bytes(*source->GetDib()));
}

TEST(SurfaceTest, FillsUseTheNearestIndexOr255)
{
    auto surface = Numbered(3, 3);
    VPaletteEntry* p = surface->GetDib()->GetPaletteEntries();
    for (int i = 0; i < kPaletteSize; ++i)
        p[i] = VPaletteEntry{0, 0, 0, 0};
    p[4] = VPaletteEntry{0, 0, 200, 0};
    surface->Fill(0x0000C0);  // reddish: entry 4
    EXPECT_EQ(surface->GetDib()->GetPixelIndex(2, 2), 4);
    surface->FillRect(VRect(1, 1, 5, 5), 0xFFFFFF);  // no entry near: byte 255
    EXPECT_EQ(surface->GetDib()->GetPixelIndex(2, 2), 255);
    EXPECT_EQ(surface->GetDib()->GetPixelIndex(0, 0), 4);
    std::ostringstream out;
    EXPECT_EQ(MessageOf([&] { surface->SaveToStream(out); }), "VDib:SaveToStream not implemented");
}
