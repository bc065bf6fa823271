// The main stream's pictures painted together by the stage: a landed ship with the hero getting
// out, a flying ship, and the preview cards. The frames are written as PNG files beside the
// test binary for a look; the test itself checks that no see-through or hull-marker pixel
// reaches the screen and that every image shares the stage's palette, so colours come out
// as drawn.
#include <memory>

#include "engine/graphics/VSurface.h"
#include "platform/headless/VPngFile.h"
#include "tests/assets/MainStreamKit.h"

using namespace mainstream;

namespace {

constexpr int kGreenIndex = 32;
constexpr int kBlueIndex = 33;

// The ship's layers composed as the show's ship draws them at scale 1, back to front around
// the anchor: flame, gear, inside, hero, then the body (skin under the outline's blue).
class ShipLayers : public VPixie {
public:
    ShipLayers(VStage& stage, VPicture& outline, VPicture& skin, VPicture& inside, VPicture& gear,
               VSprite& engine, VSprite& hero)
        : VPixie("ShipLayers", &stage), engine_(engine), hero_(hero)
    {
        body_ = stage.MakeSurfaceCopy(outline.GetSurface());
        skin.GetSurface().DrawTo(0, outline.GetHeight() - skin.GetHeight(), *body_);
        std::unique_ptr<VSurface> hull = stage.MakeSurfaceCopy(outline.GetSurface());
        hull->SetTransparentColor(0xFF0000);
        hull->DrawTo(0, 0, *body_);
        body_->SetTransparentColor(0x00FF00);
        inside_ = stage.MakeSurfaceCopy(inside.GetSurface());
        inside_->SetTransparentColor(0x00FF00);
        gear_ = stage.MakeSurfaceCopy(gear.GetSurface());
        gear_->SetTransparentColor(0x00FF00);
    }

    float GetXPos() const override { return anchor_.x; }
    void SetXPos(float x) override { anchor_.x = x; }
    float GetYPos() const override { return anchor_.y; }
    void SetYPos(float y) override { anchor_.y = y; }
    float GetZPos() const override { return anchor_.z; }
    void SetZPos(float z) override { anchor_.z = z; }
    bool UpdateRect() override { return false; }

    void Draw(VSurface& target, float x, float y, const VRectList*) override
    {
        if (flame != 0) {
            const VSurface& frame = *engine_.GetCurFrame()->GetSurface();
            frame.DrawTo(x - frame.GetWidth() * 0.5f, y - (1 - flame) * frame.GetHeight(), target);
        }
        if (gearOut != 0)
            gear_->DrawTo(x - gear_->GetWidth() * 0.5f, y - (1 - gearOut) * gear_->GetHeight() - kGearTuck, target);
        if (!insideHidden) {
            inside_->DrawTo(x - inside_->GetWidth() * 0.5f, y - body_->GetHeight() + 78, target);
            if (heroAboard) {
                const float width = hero_.GetCurFrame()->GetSurface()->GetWidth();
                hero_.Draw(target, x - width * 0.5f, y + kSeatTop, nullptr);
            }
        }
        body_->DrawTo(x - body_->GetWidth() * 0.5f, y - body_->GetHeight(), target);
    }

    float flame = 1;
    float gearOut = 1;
    bool insideHidden = false;
    bool heroAboard = true;

private:
    VSprite& engine_;
    VSprite& hero_;
    std::unique_ptr<VSurface> body_;
    std::unique_ptr<VSurface> inside_;
    std::unique_ptr<VSurface> gear_;
    Anchor anchor_;
};

class MainStreamRender : public MainStreamTest {
protected:
    void SetUp() override
    {
        MainStreamTest::SetUp();
        ship_ = new ShipLayers(*stage_, Picture("Ship-Outline"), Picture("Ship-Skin"), Picture("Ship-Inside"),
                               Picture("Ship-Land"), Sprite("Ship-Engine"), Sprite("Zibolt"));
        stage_->GetChildren().push_back(ship_);
        ship_->SetVisible(true);
        const float stars[7][2] = {{60, 40}, {700, 90}, {420, 30}, {120, 260}, {560, 200}, {760, 420}, {300, 140}};
        for (int i = 0; i < 7; ++i) {
            VSprite& star = Sprite("Star" + std::to_string(i + 1));
            star.SetPos(stars[i][0], stars[i][1], 500);
            star.SetVisible(true);
        }
    }

    // Paints the stage and checks the frame; the PNG is left for a look.
    void PaintAndCheck(const std::string& name)
    {
        stage_->Repaint();
        const VIndexedImage frame = ImageFromDib(*stage_->GetFrameBuffer()->GetDib());
        WritePngFile(std::string(ZIBOLT_TEST_OUTPUT_DIR) + "/" + name + ".png", frame);
        ASSERT_EQ(frame.width, 800);
        long long keys = 0;
        for (uint8_t index : frame.pixels)
            keys += index == kGreenIndex || index == kBlueIndex;
        EXPECT_EQ(keys, 0) << name << ": see-through green or hull-marker blue on the screen";
    }

    ShipLayers* ship_ = nullptr;
};

}  // namespace

TEST_F(MainStreamRender, EveryImageSharesTheStagePalette)
{
    // Pixels are copied as palette indices: an image with another colour table would show in
    // the stage's colours, not its own.
    const VDib& stagePalette = *stage_->GetBackground()->GetDib();
    auto samePalette = [&](const VSurface& surface, const std::string& what) {
        const VDib& dib = *surface.GetDib();
        for (int i = 0; i < kPaletteSize; ++i) {
            const VPaletteEntry& a = dib.GetPaletteEntries()[i];
            const VPaletteEntry& b = stagePalette.GetPaletteEntries()[i];
            if (a.red != b.red || a.green != b.green || a.blue != b.blue) {
                ADD_FAILURE() << what << ": palette entry " << i << " differs from the stage's";
                return;
            }
        }
    };
    const VPaletteEntry& green = stagePalette.GetPaletteEntries()[kGreenIndex];
    EXPECT_EQ(green.green, 255);
    EXPECT_EQ(green.red + green.blue, 0);
    for (VComponent* child : stage_->GetChildren()) {
        if (auto* picture = dynamic_cast<VPicture*>(child))
            samePalette(picture->GetSurface(), picture->GetName());
        if (auto* sprite = dynamic_cast<VSprite*>(child))
            for (const auto& frame : sprite->GetFrames())
                samePalette(*frame->GetSurface(), sprite->GetName() + " " + frame->GetName());
    }
}

TEST_F(MainStreamRender, LandedShipWithTheHeroGettingOut)
{
    const Anchor landed;
    ship_->SetPos(landed.x, landed.y, landed.z);
    ship_->flame = 0.25f;
    ship_->insideHidden = true;
    ship_->heroAboard = false;
    VDirector& out = Director("getout");
    PlaceOverShip(out, landed);
    Sprite("Zibolt").GetCurFrame();
    out.ShowFrame(14);
    PaintAndCheck("main-stream-hatch-open");
    out.ShowFrame(out.GetLastFrame());
    PaintAndCheck("main-stream-hero-outside");
}

TEST_F(MainStreamRender, FlyingShipWithEachEngine)
{
    Sprite("Zibolt").SetCurFrameName("s_l90");
    ship_->gearOut = 0;
    VSprite& engine = Sprite("Ship-Engine");
    for (int type = 1; type <= 3; ++type) {
        ship_->SetPos(150.0f + 250 * (type - 1), 300, 1);
        engine.Run("ON_" + std::to_string(type), -1, VSprite::kUnchanged, VSprite::kUnchanged, VSprite::kUnchanged);
        PaintAndCheck("main-stream-engine-" + std::to_string(type));
    }
}

TEST_F(MainStreamRender, PreviewCardsAndTheSidekick)
{
    ship_->SetVisible(false);
    Picture("Screen1").SetPos(100, 100, 10);
    Picture("Screen2").SetPos(300, 100, 10);
    VSprite& sidekick = Sprite("Sidekick");
    sidekick.SetPos(500, 120, 10);
    for (VPixie* pixie : {static_cast<VPixie*>(&Picture("Screen1")), static_cast<VPixie*>(&Picture("Screen2")),
                          static_cast<VPixie*>(&sidekick)})
        pixie->SetVisible(true);
    PaintAndCheck("main-stream-cards");
}
