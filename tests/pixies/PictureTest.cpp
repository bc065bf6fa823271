#include <gtest/gtest.h>

#include <sstream>

#include "TestPixieHost.h"
#include "engine/pixies/VPicture.h"
#include "engine/stream/VException.h"

namespace {

VPicture* LoadPicture(TestPixieHost& host, const VPropertyWriter& props, const std::string& name = "Door")
{
    host.Load(VStreamWriter().Header({"Version=0.1b"}).Record("VPicture", name, props));
    return dynamic_cast<VPicture*>(host.FindComponent(name));
}

TEST(Picture, ReadsItsRecordInTheEmbeddedOrder)
{
    TestPixieHost host;
    VPropertyWriter props;
    props.Tags("Tag", {})
        .Coo("XPos", 10)
        .Coo("YPos", 20.5f)
        .Coo("ZPos", -40)
        .Bool("Visible", false)
        .Color("TransColor", static_cast<uint32_t>(TestColour(7)))
        .Raw("Surface", TestBmp(5, 3))
        .Bool("Transparent", true)
        .Wrapped("FileName", "$\\Scenes\\Images\\door.bmp");
    VPicture* picture = LoadPicture(host, props);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->GetClassName(), "VPicture");
    EXPECT_FLOAT_EQ(picture->GetXPos(), 10);
    EXPECT_FLOAT_EQ(picture->GetYPos(), 20.5f);
    EXPECT_FLOAT_EQ(picture->GetZPos(), -40);
    EXPECT_FALSE(picture->IsVisible());
    EXPECT_FLOAT_EQ(picture->GetWidth(), 5);
    EXPECT_FLOAT_EQ(picture->GetHeight(), 3);
    EXPECT_TRUE(picture->IsTransparent());
    EXPECT_EQ(picture->GetSurface().GetTransparentColor(), TestColour(7));
}

TEST(Picture, TransparencyFollowsSetTransparentOnly)
{
    TestPixieHost host;
    VPropertyWriter props;
    props.Raw("Surface", TestBmp(4, 4)).Color("TransColor", static_cast<uint32_t>(TestColour(9)))
        .Bool("Transparent", false);
    VPicture* picture = LoadPicture(host, props);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->GetSurface().GetTransparentColor(), -1) << "False leaves it opaque";
    picture->SetTransparent(true);
    EXPECT_EQ(picture->GetSurface().GetTransparentColor(), TestColour(9));
    picture->SetTransColor(TestColour(3));
    EXPECT_EQ(picture->GetSurface().GetTransparentColor(), TestColour(9)) << "stored only";

    // Without "TransColor" the initial colour is pure blue; a colour without the RGB24 prefix
    // is no colour at all.
    TestPixieHost other;
    VPicture* blue = LoadPicture(other, VPropertyWriter().Raw("Surface", TestBmp(2, 2)), "Blue");
    EXPECT_EQ(blue->GetTransColor(), 0xFF0000);
    VPicture* none = LoadPicture(other, VPropertyWriter().Text("TransColor", "00FF00"), "None");
    EXPECT_EQ(none->GetTransColor(), -1);
}

TEST(Picture, TransparentBeforeTheSurfaceTakesEffectOnceTheBitmapIsRead)
{
    // Authors write properties in any order; the bitmap brings the palette the colour is found in.
    TestPixieHost host;
    VPropertyWriter props;
    props.Color("TransColor", static_cast<uint32_t>(TestColour(7)))
        .Bool("Transparent", true)
        .Raw("Surface", TestBmp(4, 4));
    VPicture* picture = LoadPicture(host, props);
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->IsTransparent());
    EXPECT_EQ(picture->GetSurface().GetTransparentColor(), TestColour(7));
}

TEST(Picture, SurfaceIsReadWithinItsValue)
{
    TestPixieHost host;
    VPicture picture("p", &host);
    std::string bmp = TestBmp(3, 3);
    // Bytes the image leaves over inside its value are skipped, as in sprite frames.
    std::string value = NumberToken(static_cast<long long>(bmp.size()) + 4) + bmp + "xxxx" + "next";
    VMemoryStream in(value);
    int consumed = 0;
    EXPECT_TRUE(picture.LoadPropFromStream("Surface", in, consumed));
    EXPECT_EQ(consumed, static_cast<int>(value.size()) - 4);
    EXPECT_FLOAT_EQ(picture.GetWidth(), 3);

    // An image that claims more than its value holds is not read past the value.
    std::string cut = NumberToken(60) + bmp.substr(0, 60) + "7#Visible4#True";
    VMemoryStream cutIn(cut);
    EXPECT_THROW(picture.LoadPropFromStream("Surface", cutIn, consumed), VException);
}

TEST(Picture, UpdateRectReportsOldAndNewRectangles)
{
    TestPixieHost host;
    VPicture* picture = LoadPicture(host, VPropertyWriter().Raw("Surface", TestBmp(8, 6)));
    EXPECT_TRUE(picture->UpdateRect());
    EXPECT_EQ(host.invalid, (std::vector<VRect>{{0, 0, 8, 6}}));
    host.invalid.clear();

    EXPECT_FALSE(picture->UpdateRect()) << "unchanged";
    EXPECT_TRUE(host.invalid.empty());

    picture->SetXPos(3);
    EXPECT_TRUE(picture->UpdateRect());
    EXPECT_EQ(host.invalid, (std::vector<VRect>{{0, 0, 8, 6}, {3, 0, 8, 6}}));
    host.invalid.clear();

    // Hiding alone is not noticed.
    picture->SetVisible(false);
    EXPECT_FALSE(picture->UpdateRect());
    EXPECT_TRUE(host.invalid.empty());

    // A hidden picture that moves reports its old place once; afterwards nothing.
    picture->SetYPos(5);
    EXPECT_TRUE(picture->UpdateRect());
    EXPECT_EQ(host.invalid, (std::vector<VRect>{{3, 0, 8, 6}}));
    host.invalid.clear();
    EXPECT_TRUE(picture->UpdateRect());
    EXPECT_TRUE(host.invalid.empty());
}

// Paints `picture` on a 40 x 40 target of index 200 and counts the pixels that changed.
int PaintedPixels(VPicture& picture, const VRectList* clips, VDibSurface& target)
{
    target.GetDib()->Fill(200);
    picture.Draw(target, 10, 10, clips);
    int changed = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            changed += target.GetDib()->GetPixelIndex(x, y) != 200;
    return changed;
}

TEST(Picture, DrawHonoursClipListsOnlyAbove256Pixels)
{
    TestPixieHost host;
    VDibSurface target(40, 40);
    // The target needs a palette before it can be drawn on.
    target.CopyFrom(VDibSurface(1, 1));
    std::unique_ptr<VDib> canvas = TestDib(40, 40, 200);
    std::string canvasBmp = BmpBytes(*canvas);
    VMemoryStream canvasIn(canvasBmp);
    int used = 0;
    target.LoadFromStream(canvasIn, used);

    VRect top(0, 0, 40, 14);  // covers the picture's rows 10..13
    VRectList clips{&top};

    VPicture small("small", &host);
    VMemoryStream smallIn(TestBmp(16, 16, 1));
    small.GetSurface().LoadFromStream(smallIn, used);
    EXPECT_EQ(PaintedPixels(small, &clips, target), 256) << "256 pixels: painted whole";

    VPicture large("large", &host);
    std::string largeBmp = TestBmp(17, 16);
    VMemoryStream largeIn(largeBmp);
    large.GetSurface().LoadFromStream(largeIn, used);
    EXPECT_EQ(PaintedPixels(large, &clips, target), 17 * 4) << "only inside the clip";
    // The clipped part is the picture's own top rows, in place.
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 17; ++x)
            EXPECT_EQ(target.GetDib()->GetPixelIndex(10 + x, 10 + y), (y * 17 + x) % 256) << x << "," << y;

    // Without a list the whole image is painted.
    EXPECT_EQ(PaintedPixels(large, nullptr, target), 17 * 16 - 1) << "one pixel holds index 200";
}

TEST(Picture, SavesAnEmptyRecord)
{
    TestPixieHost host;
    VPicture picture("Ship-Skin", &host);
    std::ostringstream out;
    picture.SaveToStream(out);
    EXPECT_EQ(out.str(), "8#VPicture9#Ship-Skin0#");
}

}  // namespace
