#include <gtest/gtest.h>

#include <map>

#include "SceneTestKit.h"
#include "engine/pixies/VBalloon.h"
#include "engine/pixies/VDirector.h"
#include "engine/pixies/VTextBlock.h"
#include "show/VPlanetScene.h"

using namespace scenetest;

namespace {

// A planet with a sky tile 40 wide, a planet strip 50 high, a flag the planet's directors
// move about ("Before" carries the arrow item), an 800 ms performance and two texts.
VStreamWriter PlanetFile(const std::vector<std::string>& extraHeader = {})
{
    std::vector<std::string> header{"Type=VPlanetScene", "Intro=IntroA,IntroB", "Exit=ExitA"};
    header.insert(header.end(), extraHeader.begin(), extraHeader.end());
    VStreamWriter file;
    file.Header(header)
        .Record("VPicture", "Sky", PictureProps(40, 60, 10))
        .Record("VPicture", "Planet", PictureProps(320, 50, 11))
        .Record("VPicture", "Flag", PictureProps(10, 10, 12, false))
        .Record("VDirector", "Before",
                DirectorProps({{"Pijl", "XPos=10;YPos=20;ZPos=3;"}, {"Flag", "XPos=0;YPos=0;Visible=True;"}}, 3))
        .Record("VDirector", "After", DirectorProps({{"Flag", "XPos=50;YPos=0;"}}, 3))
        .Record("VDirector", "Playing", DirectorProps({{"Flag", "XPos=20;YPos=5;"}}, 8))
        .Record("VDirector", "Talking", DirectorProps({{"Flag", "XPos=1;"}}, 2))
        .Record("VDirector", "NotTalking", DirectorProps({{"Flag", "XPos=2;"}}, 2))
        .Record("VText", "IntroA", TextProps({"Hello"}))
        .Record("VText", "IntroB", TextProps({"Again"}))
        .Record("VText", "ExitA", TextProps({"Bye"}));
    return file;
}

class PlanetScene : public SceneStage {
protected:
    // Runs the scene once from its start to its end, noting its states (-1 once it ended) and
    // running `onEnter` for each state when it is first seen.
    StateLog RunOnce(VPlanetScene* scene, std::map<int, std::function<void()>> onEnter = {})
    {
        StateLog log;
        scene->Start(manager_);
        log.Note(scene->GetState(), stage_->GetTime());
        if (onEnter.count(scene->GetState()))
            onEnter[scene->GetState()]();
        RunUntil([&] { return !scene->IsRunning(); }, 40000, [&] {
            int state = scene->IsRunning() ? scene->GetState() : -1;
            bool fresh = log.states.back() != state;
            log.Note(state, stage_->GetTime());
            if (fresh && onEnter.count(state))
                onEnter[state]();
        });
        return log;
    }
};

}  // namespace

TEST_F(PlanetScene, RunsItsNineStatesWithSixSecondFlights)
{
    StartShow();
    stage_->SetSoundEnabled(true);
    auto* scene = MakeScene<VPlanetScene>("Planet.VCS", PlanetFile());
    ASSERT_NE(scene, nullptr);
    EXPECT_FALSE(scene->KeepsSky());
    auto* inside = Find<VPicture>("Ship-Inside");
    const float w = StageW(), h = StageH();
    const int32_t cleared = stage_->GetBackground()->GetPixel(5, 5);

    StateLog log = RunOnce(scene, {
        {0, [&] {
             // The sky is tiled across the background (the last tile cut off), the planet
             // stretched along the bottom; both stay hidden as pixies.
             VSurface* bg = stage_->GetBackground();
             int32_t sky = bg->GetPixel(5, 5);
             EXPECT_NE(sky, cleared);
             EXPECT_EQ(bg->GetPixel(w - 1, h - 60), sky);
             EXPECT_EQ(bg->GetPixel(41, 1), sky);
             EXPECT_NE(bg->GetPixel(w - 1, h - 1), sky);
             EXPECT_EQ(bg->GetPixel(w - 1, h - 1), bg->GetPixel(0, h - 50));
             EXPECT_EQ(bg->GetPixel(0, h - 51), sky);
             EXPECT_FALSE(Find("Sky")->IsVisible());
             EXPECT_FALSE(Find("Planet")->IsVisible());
             EXPECT_FALSE(manager_->AreFloatersActive());
             // "Before" puts its arrow at the bottom centre and plays; "After" waits.
             VDirector* before = scene->GetBefore();
             EXPECT_FLOAT_EQ(before->GetXPos(), w * 0.5f - 10);
             EXPECT_FLOAT_EQ(before->GetYPos(), h - 41 - 20);
             EXPECT_FLOAT_EQ(before->GetZPos(), -1 - 3);
             EXPECT_TRUE(before->IsPlaying());
             EXPECT_FALSE(scene->GetAfter()->IsPlaying());
             EXPECT_FLOAT_EQ(scene->GetAfter()->GetXPos(), w * 0.5f) << "no arrow: centred";
             EXPECT_FLOAT_EQ(scene->GetAfter()->GetYPos(), h - 280);
             // The ship waits just above the stage with its flame out.
             EXPECT_FLOAT_EQ(ship_->GetXPos(), w * 0.5f - 200);
             EXPECT_FLOAT_EQ(ship_->GetYPos(), -ship_->GetShipHeight());
             EXPECT_FLOAT_EQ(ship_->GetScale(), 1.0f);
             ASSERT_NE(scene->GetIntroText(), nullptr);
             EXPECT_EQ(scene->GetIntroText()->GetName(), "IntroA");
             ASSERT_NE(scene->GetExitText(), nullptr);
             EXPECT_EQ(scene->GetExitText()->GetName(), "ExitA");
         }},
        {1, [&] {
             EXPECT_FLOAT_EQ(ship_->GetYPos(), h - 100) << "landed";
             EXPECT_FLOAT_EQ(ship_->GetGearExtension(), 1.0f);
             EXPECT_FALSE(ship_->IsHeroAboard());
             EXPECT_TRUE(ship_->IsInsideHidden());
             VDirector* out = scene->GetGetOut();
             EXPECT_TRUE(out->IsPlaying());
             EXPECT_FLOAT_EQ(out->GetXPos(), ship_->GetXPos() - 110 - 4);
             EXPECT_FLOAT_EQ(out->GetYPos(), ship_->GetYPos() - 159 - 6);
             EXPECT_FLOAT_EQ(out->GetZPos(), ship_->GetZPos() + 40 - 2);
         }},
        {2, [&] {
             EXPECT_FALSE(ship_->IsInsideHidden());
             EXPECT_FALSE(inside->IsVisible()) << "the director's copy of the inside goes";
             EXPECT_EQ(scene->GetBalloon()->GetText(), "Hello\n");
             EXPECT_FLOAT_EQ(scene->GetBalloon()->GetXPos(), hero_->GetXPos() + 65);
             EXPECT_FLOAT_EQ(scene->GetBalloon()->GetYPos(), hero_->GetYPos() - 5);
             EXPECT_FALSE(scene->GetBefore()->IsPlaying()) << "the opening ends with the talk";
         }},
        {3, [&] { EXPECT_EQ(hero_->GetRunningSequence(), hero_->FindSequence("getmic")); }},
        {4, [&] {
             EXPECT_TRUE(scene->GetPlaying()->IsPlaying());
             EXPECT_TRUE(hero_->IsVisible());
         }},
        {5, [&] {
             EXPECT_EQ(hero_->GetRunningSequence(), hero_->FindSequence("awaymic"));
             EXPECT_TRUE(scene->GetAfter()->IsPlaying()) << "the planet's closing animation";
             EXPECT_FALSE(scene->GetPlaying()->IsPlaying());
         }},
        {6, [&] { EXPECT_EQ(scene->GetBalloon()->GetText(), "Bye\n"); }},
        {7, [&] { EXPECT_TRUE(scene->GetGetIn()->IsPlaying()); }},
        {8, [&] {
             EXPECT_TRUE(ship_->IsHeroAboard());
             EXPECT_FALSE(hero_->IsVisible());
             EXPECT_FALSE(inside->IsVisible());
         }},
    });

    EXPECT_EQ(log.states, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, -1}));
    ASSERT_EQ(log.times.size(), 10u);
    const double slack = 30;  // one scene tick plus the test's step
    EXPECT_NEAR(log.Span(0), 6000, slack);
    EXPECT_NEAR(log.Span(1), 500, slack) << "5 frames of 100 ms";
    EXPECT_NEAR(log.Span(2), 980 + 500, slack) << "one balloon of 6 bytes and its pause";
    EXPECT_NEAR(log.Span(3), 300, slack);
    EXPECT_NEAR(log.Span(4), 800, slack);
    EXPECT_NEAR(log.Span(5), 300, slack);
    EXPECT_NEAR(log.Span(6), 920 + 500, slack);
    EXPECT_NEAR(log.Span(7), 400, slack);
    EXPECT_NEAR(log.Span(8), 6000, slack);

    // The engine is heard at the arrival and at the departure.
    const auto& sounds = stage_->GetSoundRequests();
    ASSERT_EQ(sounds.size(), 2u);
    EXPECT_TRUE(sounds[0].fileName.ends_with("motor1")) << sounds[0].fileName;
    EXPECT_EQ(sounds[0].flags, 1u);
    EXPECT_NEAR(sounds[1].time - sounds[0].time, log.times[8] - log.times[0] - 25, slack);

    // Over: the manager clears the planet away and centres the ship again.
    EXPECT_TRUE(manager_->AreFloatersActive());
    EXPECT_FLOAT_EQ(ship_->GetXPos(), w * 0.5f);
    EXPECT_FLOAT_EQ(ship_->GetScale(), 1.0f);
    EXPECT_EQ(stage_->GetBackground()->GetPixel(5, 5), cleared) << "background cleared";
    EXPECT_FALSE(scene->GetAfter()->IsPlaying()) << "nothing of the scene keeps running";
    EXPECT_GT(text_.balloonsDrawn, 0) << "the balloon is painted on the stage";
    EXPECT_EQ(stage_->GetReportedExceptions(), std::vector<std::string>{});
}

TEST_F(PlanetScene, HiddenHeroSkipsTheMicrophone)
{
    StartShow();
    auto* scene = MakeScene<VPlanetScene>("Hidden.VCS", PlanetFile({"HideZibo=True"}));
    bool hiddenWhilePerforming = false;
    StateLog log = RunOnce(scene, {{4, [&] { hiddenWhilePerforming = !hero_->IsVisible(); }}});
    EXPECT_EQ(log.states, (std::vector<int>{0, 1, 2, 4, 6, 7, 8, -1}));
    EXPECT_TRUE(hiddenWhilePerforming);
    EXPECT_EQ(stage_->GetReportedExceptions(), std::vector<std::string>{});
}

TEST_F(PlanetScene, PlaysItsOwnSoundAsThePerformanceBeginsButNeverAPathOutOfTheSoundsFolder)
{
    StartShow();
    stage_->SetSoundEnabled(true);
    auto* scene = MakeScene<VPlanetScene>("Chime.VCS", PlanetFile({"PlayingSound=chime"}));
    double performing = -1;
    RunOnce(scene, {{4, [&] { performing = stage_->GetTime(); }}});
    const auto& sounds = stage_->GetSoundRequests();
    ASSERT_EQ(sounds.size(), 3u);
    EXPECT_TRUE(sounds[1].fileName.ends_with("chime")) << sounds[1].fileName;
    EXPECT_NEAR(sounds[1].time, performing, 30);

    auto* stray = MakeScene<VPlanetScene>("Stray.VCS", PlanetFile({"PlayingSound=../../secret"}));
    RunOnce(stray);
    EXPECT_EQ(stage_->GetSoundRequests().size(), 5u) << "only the engine, arriving and leaving";
}

TEST_F(PlanetScene, MissingClimbingDirectorsAndTextsDoNotStopTheShow)
{
    Build(false);
    StartShow();
    // Neither text exists and the main stream has no "GetOut" or "GetIn".
    auto* scene = MakeScene<VPlanetScene>(
        "Bare.VCS", VStreamWriter().Header({"Type=VPlanetScene", "Intro=Nobody", "Exit=Nothing"}));
    ASSERT_NE(scene, nullptr);
    StateLog log = RunOnce(scene);
    EXPECT_EQ(log.states, (std::vector<int>{0, 1, 3, 4, 5, 7, 8, -1}));
    EXPECT_LE(log.Span(1), 30) << "no director to wait for";
    EXPECT_NEAR(log.Span(6), 6000, 30);
    EXPECT_FALSE(ship_->IsInsideHidden());
    EXPECT_EQ(stage_->GetReportedExceptions(), std::vector<std::string>{});
}

TEST_F(PlanetScene, ApproachFallsFastThenLandsOnItsGear)
{
    StartShow();
    auto* scene = MakeScene<VPlanetScene>("Planet.VCS", PlanetFile());
    scene->Start(manager_);
    const float landY = StageH() - 100;
    scene->Approach(0.4f);
    float height = ship_->GetShipHeight();
    EXPECT_FLOAT_EQ(ship_->GetYPos(), 0.25f * -height + 0.75f * landY) << "s = 0.5 at p = 0.4";
    EXPECT_FLOAT_EQ(ship_->GetGearExtension(), 0);
    EXPECT_FLOAT_EQ(ship_->GetFlameAmount(), 1);
    scene->Approach(0.85f);
    EXPECT_FLOAT_EQ(ship_->GetYPos(), landY);
    EXPECT_NEAR(ship_->GetGearExtension(), 0.5f, 1e-5);
    EXPECT_FLOAT_EQ(ship_->GetFlameAmount(), 0.5f);
    scene->Approach(1.0f);
    EXPECT_FLOAT_EQ(ship_->GetGearExtension(), 1);
    EXPECT_NEAR(ship_->GetFlameAmount(), 0.25f, 1e-5) << "the flame never quite goes out";
    scene->Approach(0.95f);
    EXPECT_NEAR(ship_->GetFlameAmount(), 0.375f, 1e-5) << "and rises again on departure";
    EXPECT_FLOAT_EQ(ship_->GetXPos(), StageW() * 0.5f - 200);
}
