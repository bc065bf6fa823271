#include <gtest/gtest.h>

#include <algorithm>

#include "engine/graphics/VDib.h"
#include "engine/pixies/VPicture.h"
#include "engine/pixies/VSprite.h"
#include "engine/stream/VStreamWriter.h"
#include "saver/VScreensaver.h"
#include "show/VFloater.h"
#include "show/VSceneManager.h"
#include "show/VSpaceShip.h"
#include "tests/saver/SaverTestKit.h"

using savertest::SaverTest;
using Mode = VHeadlessScreensaverEngine::Mode;
using Kind = VHeadlessInput::Kind;

using ShowSetUp = SaverTest;

namespace {

// A scene file that no loader accepts: reading it reports its missing type.
void PutUntypedSceneFile(const std::filesystem::path& dir)
{
    VStreamWriter().Header({"Frequency=30"}).WriteFile((dir / "Broken.VCS").string());
}

}  // namespace

TEST_F(ShowSetUp, ConfigureStartsTheAboutProgramOnceAndBuildsNoShow)
{
    PutUntypedSceneFile(dir_);
    VHeadlessStage& stage = Load(Mode::Configure);
    stage.RunFor(200);
    EXPECT_EQ(launched_, (std::vector<std::string>{
                             (std::filesystem::path("/opt/zibolt/bin") / "zibolt-about").string()}));
    EXPECT_TRUE(stage.IsQuitRequested());
    EXPECT_EQ(stage.FindComponent("DezoRivaduz"), nullptr);
    // Nothing of the stream was read, and no scene file either.
    EXPECT_EQ(stage.FindComponent("Ship-Skin"), nullptr);
    EXPECT_TRUE(stage.GetReportedExceptions().empty());
    EXPECT_EQ(store_->reads.count("Dir"), 0u);
}

TEST_F(ShowSetUp, RunModeBuildsShipManagerAndStarFloaters)
{
    VHeadlessStage& stage = Load(Mode::Run);
    EXPECT_TRUE(launched_.empty());
    stage.RunFor(500);
    ASSERT_TRUE(stage.GetReportedExceptions().empty()) << stage.GetReportedExceptions()[0];
    auto* manager = dynamic_cast<VSceneManager*>(stage.FindComponent("DezoRivaduz"));
    ASSERT_NE(manager, nullptr);
    auto* ship = manager->GetShip();
    ASSERT_NE(ship, nullptr);
    EXPECT_EQ(std::count(stage.GetChildren().begin(), stage.GetChildren().end(), ship), 1);
    EXPECT_TRUE(ship->IsVisible());  // centred between scenes
    // Keys now reach the bindings only.
    EXPECT_FALSE(dynamic_cast<VScreensaver*>(stage.FindComponent("Screensaver"))->GetKeysEnd());
    // Star1 and Star2 fly; the sprite whose tag says False does not.
    std::size_t floaters = manager->GetFloaterPool().size() + manager->GetActiveFloaters().size();
    EXPECT_EQ(floaters, 2u);
    for (auto* list : {&manager->GetFloaterPool(), &manager->GetActiveFloaters()})
        for (VFloater* floater : *list) {
            EXPECT_NE(floater->GetSprite()->GetName(), "NotAStar");
            EXPECT_EQ(floater->GetWeight(), 4);
        }
    auto* hero = dynamic_cast<VSprite*>(stage.FindComponent("Zibolt"));
    EXPECT_FALSE(hero->IsVisible());
}

TEST_F(ShowSetUp, SoundSetToZeroRunsSilentUntilSIsPressed)
{
    settings_["Sound"] = "0";
    VHeadlessStage& stage = Load(Mode::Run);
    stage.RunFor(100);
    EXPECT_FALSE(stage.IsSoundEnabled());
    EXPECT_FALSE(stage.PlaySound("zibo1", 0));
    EXPECT_TRUE(stage.GetSoundRequests().empty());
    stage.AddInput(VHeadlessInput::Key(150, Kind::KeyDown, 83));
    stage.AddInput(VHeadlessInput::Key(160, Kind::KeyUp, 83));
    stage.RunFor(100);
    EXPECT_TRUE(stage.IsSoundEnabled());
    EXPECT_FALSE(stage.IsQuitRequested());
}

TEST_F(ShowSetUp, ASkinSettingReplacesTheShipSkin)
{
    std::filesystem::create_directories(dir_ / "Skins");
    std::filesystem::copy_file(std::filesystem::path(ZIBOLT_SOURCE_DIR) / "assets/art/bmp/Skins/Red.bmp",
                               dir_ / "Skins" / "Red.bmp");
    settings_["Skin"] = "Red";
    VHeadlessStage& stage = Load(Mode::Run);
    stage.RunFor(100);
    ASSERT_TRUE(stage.GetReportedExceptions().empty()) << stage.GetReportedExceptions()[0];
    VDib red(1, 1);
    red.LoadFromFile((dir_ / "Skins" / "Red.bmp").string());
    VDib builtIn(1, 1);
    {
        std::string bytes = savertest::Art("Ship-Skin.bmp");
        std::istringstream in(bytes);
        int length = 0;
        builtIn.LoadFromStream(in, length, static_cast<int64_t>(bytes.size()));
    }
    const VDib* skin = dynamic_cast<VPicture*>(stage.FindComponent("Ship-Skin"))->GetSurface().GetDib();
    ASSERT_EQ(skin->GetWidth(), red.GetWidth());
    ASSERT_EQ(skin->GetHeight(), red.GetHeight());
    bool sameAsRed = true;
    bool sameAsBuiltIn = true;
    for (int y = 0; y < red.GetHeight(); ++y)
        for (int x = 0; x < red.GetWidth(); ++x) {
            sameAsRed &= skin->GetPixelIndex(x, y) == red.GetPixelIndex(x, y);
            sameAsBuiltIn &= skin->GetPixelIndex(x, y) == builtIn.GetPixelIndex(x, y);
        }
    EXPECT_TRUE(sameAsRed);
    EXPECT_FALSE(sameAsBuiltIn);
}

TEST_F(ShowSetUp, AMissingSkinIsReportedAndTheShowRunsWithTheBuiltInOne)
{
    settings_["Skin"] = "NoSuchSkin";
    VHeadlessStage& stage = Load(Mode::Run);
    stage.RunFor(100);
    ASSERT_EQ(stage.GetReportedExceptions().size(), 1u);
    EXPECT_NE(stage.GetReportedExceptions()[0].find("NoSuchSkin.bmp"), std::string::npos);
    EXPECT_NE(stage.FindComponent("DezoRivaduz"), nullptr);
}

TEST_F(ShowSetUp, AMissingShipPartIsNamed)
{
    VHeadlessStage& stage = Load(Mode::Run, savertest::ShowStream(false));
    stage.RunFor(100);
    ASSERT_EQ(stage.GetReportedExceptions().size(), 1u);
    EXPECT_EQ(stage.GetReportedExceptions()[0], "component Ship-Land not found.");
    EXPECT_EQ(stage.FindComponent("DezoRivaduz"), nullptr);
}
