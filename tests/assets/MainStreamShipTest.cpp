// The ship's layers and the hatch directors as the engine reads them from the main stream:
// the sizes the ship's drawing offsets assume, and the directors' items landing where the
// ship draws the same things, so the swaps between them are invisible.
#include <cmath>

#include "tests/assets/MainStreamKit.h"

using namespace mainstream;

namespace {

bool IsKey(const VSurface& surface, int x, int y)
{
    const VDib* dib = surface.GetDib();
    return dib->GetPixelIndex(x, y) == dib->GetPaletteIndex(surface.GetTransparentColor(), true);
}

}  // namespace

TEST_F(MainStreamTest, ShipLayersHaveTheSizesTheAnchorOffsetsAssume)
{
    const VPicture& outline = Picture("Ship-Outline");
    const VPicture& skin = Picture("Ship-Skin");
    const VPicture& inside = Picture("Ship-Inside");
    // The body is drawn at (x - W/2, y - 237); the inside at (x - W/2, y - 237 + 78), which the
    // directors reach as (x - 110, y - 159): both hold only for these sizes.
    EXPECT_EQ(outline.GetHeight(), 237);
    EXPECT_EQ(inside.GetWidth(), 220);
    EXPECT_EQ(inside.GetWidth() * 0.5f, -kInsideLeft);
    EXPECT_EQ(outline.GetHeight() - 78, -kInsideTop);
    EXPECT_LE(inside.GetHeight(), -kInsideTop);
    // The skin is bottom-aligned under the outline and replaced by skin files of its size.
    EXPECT_EQ(skin.GetWidth(), outline.GetWidth());
    EXPECT_EQ(skin.GetHeight(), outline.GetHeight());
    // The ship's drawing keys: green see-through in every layer, blue marks the hull.
    EXPECT_EQ(outline.GetTransColor(), 0x00FF00);
    EXPECT_EQ(inside.GetTransColor(), 0x00FF00);
    EXPECT_TRUE(inside.IsTransparent());
    EXPECT_FALSE(skin.IsTransparent());
    const VDib* dib = outline.GetSurface().GetDib();
    EXPECT_EQ(dib->GetPaletteIndex(0xFF0000, false), 33);
}

TEST_F(MainStreamTest, LoweredGearHangsFromTheHullAndReachesTheGround)
{
    const VSurface& gear = Picture("Ship-Land").GetSurface();
    const VSurface& body = Picture("Ship-Outline").GetSurface();
    // Lowered, the gear's top edge is 18 above the anchor: its top rows are tucked behind the
    // hull's bottom, so every leg must meet the hull there rather than float below it.
    const int gearLeft = static_cast<int>(body.GetWidth() - gear.GetWidth()) / 2;
    const int gearTop = static_cast<int>(body.GetHeight() - kGearTuck);
    int legColumns = 0, attached = 0;
    for (int x = 0; x < gear.GetWidth(); ++x) {
        if (IsKey(gear, x, 0))
            continue;
        ++legColumns;
        attached += !IsKey(body, gearLeft + x, gearTop);
    }
    EXPECT_GT(legColumns, 0);
    EXPECT_EQ(attached, legColumns) << "gear columns whose top row shows below a see-through hull";
    // The ground (the bottom of the gear) is where the hero stands after getting out.
    EXPECT_EQ(gear.GetHeight() - kGearTuck, 30);
}

TEST_F(MainStreamTest, HatchDirectorsPlayAtTheirFrameRates)
{
    EXPECT_EQ(Director("getout").GetLastFrame(), 33);
    EXPECT_EQ(Director("getout").GetFrameLength(), 110);
    EXPECT_EQ(Director("getin").GetLastFrame(), 28);
    EXPECT_EQ(Director("getin").GetFrameLength(), 120);
    for (const char* name : {"getout", "getin"}) {
        std::vector<std::string> pixies;
        for (const VDirectorTrack& track : Director(name).GetTracks())
            pixies.push_back(track.GetPixieName());
        EXPECT_EQ(pixies, (std::vector<std::string>{"Ship-Inside", "deur1", "deur2", "Zibolt", "Sidekick"}))
            << name;
    }
}

TEST_F(MainStreamTest, HatchDirectorsKeepTheirInsideOverTheShipsAndDoorsInFront)
{
    const Anchor ship;
    VPicture& inside = Picture("Ship-Inside");
    VPicture& leaf = Picture("deur2");
    VSprite& hero = Sprite("Zibolt");
    VSprite& sidekick = Sprite("Sidekick");
    for (const char* name : {"getout", "getin"}) {
        SCOPED_TRACE(name);
        VDirector& director = Director(name);
        PlaceOverShip(director, ship);
        // Sprites that show a frame resolve frame names at once: a missing one throws here.
        hero.GetCurFrame();
        sidekick.GetCurFrame();
        bool leafSeen = false;
        for (int frame = 1; frame <= director.GetLastFrame(); ++frame) {
            ASSERT_NO_THROW(director.ShowFrame(frame)) << "frame " << frame;
            EXPECT_TRUE(inside.IsVisible()) << "frame " << frame;
            EXPECT_EQ(inside.GetXPos(), ship.x + kInsideLeft) << "frame " << frame;
            EXPECT_EQ(inside.GetYPos(), ship.y + kInsideTop) << "frame " << frame;
            EXPECT_EQ(inside.GetZPos(), ship.z + kShipInsideDepth) << "frame " << frame;
            for (VPicture* door : {&Picture("deur1"), &leaf}) {
                if (door->IsVisible()) {
                    EXPECT_LT(door->GetZPos(), ship.z) << door->GetName() << " behind the hull at frame " << frame;
                }
            }
            // The leaf first appears exactly over the hull's own closed hatch, at body (140, 160).
            if (leaf.IsVisible() && !leafSeen && std::string(name) == "getout") {
                leafSeen = true;
                EXPECT_EQ(leaf.GetXPos(), ship.x - 120 + 140) << "frame " << frame;
                EXPECT_EQ(leaf.GetYPos(), ship.y - 237 + 160) << "frame " << frame;
            }
        }
    }
}

TEST_F(MainStreamTest, HeroLeavesAndReturnsToTheSeatTheShipDrawsHimIn)
{
    const Anchor ship;
    VSprite& hero = Sprite("Zibolt");
    hero.GetCurFrame();
    VDirector& out = Director("getout");
    PlaceOverShip(out, ship);
    out.ShowFrame(1);
    // Seated, the ship draws the hero's frame at (x - W/2, y - 190).
    auto expectSeated = [&](const char* when) {
        const float width = hero.GetCurFrame()->GetSurface()->GetWidth();
        EXPECT_EQ(hero.GetCurFrame(), hero.FindFrameByName("s_l90")) << when;
        EXPECT_EQ(hero.GetXPos(), ship.x - width * 0.5f) << when;
        EXPECT_EQ(hero.GetYPos(), ship.y + kSeatTop) << when;
        EXPECT_GT(hero.GetZPos(), ship.z) << when << ": seated behind the hull, seen through the window";
    };
    expectSeated("start of getout");
    out.ShowFrame(out.GetLastFrame());
    // Outside, in front of the hull, feet on the ground the gear stands on: the standing
    // frames have the feet at their hot spot.
    EXPECT_LT(hero.GetZPos(), ship.z);
    EXPECT_TRUE(hero.IsVisible());
    EXPECT_EQ(hero.GetYPos() + hero.GetCurFrame()->GetHotSpotY(), ship.y + 30);
    const float outsideX = hero.GetXPos(), outsideY = hero.GetYPos();

    VDirector& in = Director("getin");
    PlaceOverShip(in, ship);
    in.ShowFrame(1);
    // The planet scene plays getin where getout left him: no jump in between.
    EXPECT_EQ(hero.GetXPos(), outsideX);
    EXPECT_EQ(hero.GetYPos(), outsideY);
    EXPECT_LT(hero.GetZPos(), ship.z);
    in.ShowFrame(in.GetLastFrame());
    expectSeated("end of getin");
}
