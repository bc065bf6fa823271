#include <gtest/gtest.h>

#include <map>
#include <set>

#include "assets/MainStream.h"
#include "engine/pixies/VPixieListWriter.h"
#include "show/VScene.h"
#include "show/VSceneManager.h"
#include "show/VSpaceShip.h"
#include "tests/saver/SaverTestKit.h"
#include "tests/show/SceneTestKit.h"

using savertest::SaverTest;
using Mode = VHeadlessScreensaverEngine::Mode;
using namespace scenetest;

namespace {

// One scene file of every kind and a float library, written into the data folder.
void PutSceneFiles(const std::filesystem::path& dir)
{
    auto write = [&](const std::string& name, const VStreamWriter& file) {
        file.WriteFile((dir / name).string());
    };
    write("Planet.VCS",
          VStreamWriter()
              .Header({"Type=VPlanetScene", "Intro=Hi", "Exit=Bye"})
              .Record("VPicture", "Sky", PictureProps(200, 100, 20))
              .Record("VPicture", "Planet", PictureProps(300, 60, 21))
              .Record("VPicture", "Flag", PictureProps(10, 10, 22, false))
              .Record("VDirector", "Playing", DirectorProps({{"Flag", "XPos=0;YPos=0;Visible=True;"}}, 4))
              .Record("VText", "Hi", TextProps({"What a planet!"}))
              .Record("VText", "Bye", TextProps({"Bye, planet."})));
    VPropertyWriter mail;
    mail.Bool("Visible", false)
        .Raw("FrameList", FrameListPayload({FrameEntries("letter", Bmp(10, 10, 23), "", 0, 0)}))
        .Raw("SequenceList", SequenceListPayload({{"DEFAULT", {{"letter"}, {"letter"}}}}));
    write("Meet.VCS",
          VStreamWriter()
              .Header({"Type=VMeetingScene", "Speed=40", "Intro=Hi", "Exit=Bye", "XPos=-120"})
              .Record("VPicture", "Visitor", PictureProps(30, 30, 24, false))
              .Record("VDirector", "MoveIn", DirectorProps({{"Visitor", "XPos=0;YPos=0;Visible=True;"}}, 2))
              .Record("VDirector", "Playing", DirectorProps({{"Visitor", "XPos=0;YPos=-20;"}}, 4))
              .Record("VDirector", "Talking", DirectorProps({{"Visitor", "XPos=1;"}}, 2))
              .Record("VDirector", "NotTalking", DirectorProps({{"Visitor", "XPos=0;"}}, 2))
              .Record("VText", "Hi", TextProps({"(5,-10)Hello!", "***", "Hi there."}))
              .Record("VText", "Bye", TextProps({"(5,-10)Bye!"}))
              .Record("VSprite", "VMAIL", mail));
    write("Fly.VCS", VStreamWriter()
                         .Header({"Type=VMovingScene", "Path=0,0,100|0,0,300|-100,20,80", "Speed=5"})
                         .Record("VPicture", "Moon",
                                 PictureProps(20, 20, 25, false).Tags("Tag", {"SkyItem=True"})));
    write("Cook.VCS",
          VStreamWriter()
              .Header({"Type=VInShipScene"})
              .Record("VPicture", "Inside", PictureProps(60, 40, 26, false))
              .Record("VDirector", "Scene", DirectorProps({{"Inside", "XPos=0;YPos=0;Visible=True;"}}, 5)));
    write("Sky.VCS", VStreamWriter().Header({"Type=VFloatLib"}).Record(
                         "VSprite", "Comet",
                         VPropertyWriter().Tags("Tag", {"Frequency=3", "Speed=40"}).Raw(
                             "FrameList", FrameListPayload({FrameEntries("c", Bmp(8, 8, 27), "", 0, 0)}))));
}

class WholeShow : public SaverTest {
protected:
    void SetUp() override
    {
        SaverTest::SetUp();
        SetTextRenderer(&text_);
    }
    void TearDown() override
    {
        SaverTest::TearDown();
        SetTextRenderer(nullptr);
    }
    QuietTextRenderer text_;
};

}  // namespace

// The real main stream with a scene of each kind: every scene comes on in turn, and between
// scenes the show is always back in its resting state.
TEST_F(WholeShow, EveryKindOfSceneComesAndTheShowAlwaysComesBackToRest)
{
    PutSceneFiles(dir_);
    VHeadlessStage& stage = Load(Mode::Run, std::string(MainStreamData()));
    stage.RunFor(50);
    auto* manager = dynamic_cast<VSceneManager*>(stage.FindComponent("DezoRivaduz"));
    ASSERT_NE(manager, nullptr);
    ASSERT_EQ(manager->GetScenes().size(), 4u);
    EXPECT_EQ(manager->GetFloatLibraries().size(), 1u);
    VSpaceShip* ship = manager->GetShip();
    const float centreX = StageRect(stage).width * 0.5f;

    std::map<std::string, int> starts;
    int restingChecks = 0;
    VScene* previous = nullptr;
    for (double t = 0; t < 400000 && (starts.size() < 4 || manager->GetCurrentScene()); t += 10) {
        stage.RunFor(10);
        VScene* now = manager->GetCurrentScene();
        if (now && now != previous)
            ++starts[now->GetName()];
        previous = now;
        if (now)
            continue;
        // At rest: the ship centred at natural size with the hero aboard, the floaters out,
        // the manager running.
        ++restingChecks;
        EXPECT_TRUE(ship->IsVisible());
        EXPECT_FLOAT_EQ(ship->GetXPos(), centreX);
        EXPECT_FLOAT_EQ(ship->GetScale(), 1);
        EXPECT_TRUE(ship->IsHeroAboard());
        EXPECT_FALSE(ship->IsInsideHidden());
        EXPECT_TRUE(manager->AreFloatersActive());
        EXPECT_TRUE(manager->IsEnabled());
        ASSERT_TRUE(stage.GetReportedExceptions().empty()) << stage.GetReportedExceptions()[0];
    }
    EXPECT_EQ(starts.size(), 4u);
    EXPECT_GT(restingChecks, 0);
    EXPECT_EQ(stage.GetReportedExceptions(), std::vector<std::string>{});
    for (const char* name : {"Planet.VCS", "Meet.VCS", "Fly.VCS", "Cook.VCS"})
        EXPECT_EQ(settings_[name], "1") << name;
    EXPECT_FALSE(stage.IsQuitRequested());
}
