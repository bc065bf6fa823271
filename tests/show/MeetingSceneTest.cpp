#include <gtest/gtest.h>

#include <map>
#include <set>

#include "SceneTestKit.h"
#include "engine/pixies/VBalloon.h"
#include "engine/pixies/VDirector.h"
#include "show/VMeetingScene.h"

using namespace scenetest;

namespace {

// A visitor that flies in at 20 pixels a tick, talks, performs for 500 ms and talks again.
VStreamWriter MeetingFile(const std::vector<std::string>& header)
{
    VStreamWriter file;
    file.Header(header)
        .Record("VPicture", "Visitor", PictureProps(30, 30, 13, false))
        .Record("VDirector", "MoveIn", DirectorProps({{"Visitor", "XPos=0;YPos=0;Visible=True;"}}, 2))
        .Record("VDirector", "Playing", DirectorProps({{"Visitor", "XPos=3;YPos=0;"}}, 5))
        .Record("VDirector", "Talking", DirectorProps({{"Visitor", "XPos=1;"}}, 2))
        .Record("VDirector", "NotTalking", DirectorProps({{"Visitor", "XPos=2;"}}, 2))
        .Record("VText", "Hi", TextProps({"Hello there"}))
        .Record("VText", "Bye", TextProps({"(5,-10)Bye"}));
    return file;
}

const std::vector<std::string> kHeader{"Type=VMeetingScene", "Speed=20", "Intro=Hi", "Exit=Bye",
                                       "MirrorZibo=True"};

class MeetingScene : public SceneStage {
protected:
    StateLog RunOnce(VMeetingScene* scene, std::map<int, std::function<void()>> onEnter = {},
                     std::function<void()> each = {})
    {
        StateLog log;
        scene->Start(manager_);
        log.Note(scene->GetState(), stage_->GetTime());
        RunUntil([&] { return !scene->IsRunning(); }, 20000, [&] {
            int state = scene->IsRunning() ? scene->GetState() : -1;
            bool fresh = log.states.back() != state;
            log.Note(state, stage_->GetTime());
            if (fresh && onEnter.count(state))
                onEnter[state]();
            if (each)
                each();
        });
        return log;
    }
};

}  // namespace

TEST_F(MeetingScene, FliesInTalksPerformsTalksAndFliesOut)
{
    StartShow();
    auto* scene = MakeScene<VMeetingScene>("Meet.VCS", MeetingFile(kHeader));
    ASSERT_NE(scene, nullptr);
    EXPECT_TRUE(scene->KeepsSky());
    const float shipX = ship_->GetXPos(), shipY = ship_->GetYPos(), shipZ = ship_->GetZPos();
    std::map<int, std::set<bool>> managerOn, mirrored;
    VDirector* moveIn = scene->GetMoveIn();

    StateLog log = RunOnce(
        scene,
        {
            {2, [&] {
                 // Arrived where the performance takes place: the ship plus (0, 0, 100).
                 EXPECT_FLOAT_EQ(moveIn->GetXPos(), shipX);
                 EXPECT_FLOAT_EQ(scene->GetPlaying()->GetXPos(), shipX);
                 EXPECT_FLOAT_EQ(scene->GetPlaying()->GetYPos(), shipY);
                 EXPECT_FLOAT_EQ(scene->GetPlaying()->GetZPos(), shipZ + 100);
                 EXPECT_FLOAT_EQ(moveIn->GetZPos(), shipZ + 100);
                 EXPECT_EQ(scene->GetBalloon()->GetText(), "Hello there\n");
                 EXPECT_FLOAT_EQ(scene->GetBalloon()->GetXPos(), shipX - 20);
                 EXPECT_FLOAT_EQ(scene->GetBalloon()->GetYPos(), shipY - 150);
                 EXPECT_FALSE(scene->GetBalloon()->IsDone());
             }},
            {3, [&] { EXPECT_TRUE(scene->GetPlaying()->IsPlaying()); }},
            {4, [&] {
                 EXPECT_FALSE(scene->GetPlaying()->IsPlaying());
                 EXPECT_FALSE(scene->GetPlaying()->GetLoop()) << "the performance plays once";
             }},
            {5, [&] { EXPECT_EQ(scene->GetMoveOut(), moveIn) << "no MoveOut: MoveIn flies out"; }},
        },
        [&] {
            int state = scene->IsRunning() ? scene->GetState() : -1;
            managerOn[state].insert(manager_->IsEnabled());
            mirrored[state].insert(hero_->GetMirrorX());
            // The visitor's own balloon sits at its talking figure plus the placement.
            if (state == 4 && scene->GetBalloon()->IsVisible() && scene->GetBalloon()->GetText() == "Bye\n") {
                auto* talking = dynamic_cast<VDirector*>(stage_->FindComponent("Talking"));
                ASSERT_NE(talking, nullptr);
                EXPECT_FLOAT_EQ(scene->GetBalloon()->GetXPos(), talking->GetXPos() + 5);
                EXPECT_FLOAT_EQ(scene->GetBalloon()->GetYPos(), talking->GetYPos() - 10);
            }
        });

    EXPECT_EQ(log.states, (std::vector<int>{1, 2, 3, 4, 5, -1}));
    ASSERT_EQ(log.times.size(), 6u);
    // (320 - -200) / 20 = 26 steps in, arriving on the 27th tick.
    EXPECT_NEAR(log.Span(0), 27 * 25, 10);
    EXPECT_NEAR(log.Span(1), 800 + 30 * 12 + 500, 30);
    EXPECT_NEAR(log.Span(2), 500, 30);
    EXPECT_NEAR(log.Span(3), 800 + 30 * 11 + 500, 30);
    // From the meeting place out past the right edge: 17 steps of 20.
    EXPECT_NEAR(log.Span(4), 17 * 25, 10);
    EXPECT_GT(moveIn->GetXPos(), StageW());

    // The sky and the choice of the next scene stand still exactly while the two talk.
    EXPECT_EQ(managerOn[1], std::set<bool>{true});
    EXPECT_EQ(managerOn[2], std::set<bool>{false});
    EXPECT_EQ(managerOn[3], std::set<bool>{false});
    EXPECT_EQ(managerOn[4], std::set<bool>{false});
    EXPECT_EQ(managerOn[5], std::set<bool>{true});
    EXPECT_TRUE(manager_->IsEnabled());
    EXPECT_EQ(mirrored[2], std::set<bool>{true});
    EXPECT_EQ(mirrored[5], std::set<bool>{false});

    // The sky was kept: the ship stays where it was and the floaters stay on.
    EXPECT_FLOAT_EQ(ship_->GetXPos(), shipX);
    EXPECT_TRUE(manager_->AreFloatersActive());
    EXPECT_FALSE(moveIn->IsPlaying());
    EXPECT_EQ(stage_->GetReportedExceptions(), std::vector<std::string>{});
}

TEST_F(MeetingScene, InsideTheShipTheBalloonFollowsTheHerosFigure)
{
    StartShow();
    VStreamWriter file = MeetingFile({"Type=VMeetingScene", "Intro=Hi", "Exit=Bye", "MirrorZibo=true"});
    file.Record("VPicture", "Inside", PictureProps(4, 4, 14, false))
        .Record("VPicture", "Zibo", PictureProps(4, 4, 15))
        .Record("VDirector", "Playing",
                DirectorProps({{"Inside", "XPos=7;YPos=9;ZPos=1;"}, {"Visitor", "XPos=3;"}}, 5));
    auto* scene = MakeScene<VMeetingScene>("Inside.VCS", file);
    ASSERT_NE(scene, nullptr);
    EXPECT_TRUE(scene->IsInside());
    EXPECT_FALSE(scene->MirrorsHero()) << "only the exact spelling True mirrors";
    const float shipX = ship_->GetXPos(), shipY = ship_->GetYPos(), shipZ = ship_->GetZPos();
    auto* figure = dynamic_cast<VPixie*>(scene->GetComponents()->FindComponent("Zibo"));
    bool insideHiddenWhileTalking = false;
    StateLog log = RunOnce(scene, {
        {1, [&] {
             // The "Inside" item of the performance lands on the ship's inside layer.
             EXPECT_FLOAT_EQ(scene->GetPlaying()->GetXPos(), shipX - 110 - 7);
             EXPECT_FLOAT_EQ(scene->GetPlaying()->GetYPos(), shipY - 159 - 9);
             EXPECT_FLOAT_EQ(scene->GetPlaying()->GetZPos(), shipZ);
             EXPECT_FLOAT_EQ(scene->GetMoveIn()->GetXPos(), -200 + 10);
         }},
        {2, [&] {
             insideHiddenWhileTalking = ship_->IsInsideHidden();
             ASSERT_NE(figure, nullptr);
             EXPECT_FALSE(figure->IsVisible());
             EXPECT_FALSE(hero_->GetMirrorX());
             EXPECT_FLOAT_EQ(scene->GetBalloon()->GetXPos(), figure->GetXPos() + 20);
             EXPECT_FLOAT_EQ(scene->GetBalloon()->GetYPos(), figure->GetYPos() - 6);
         }},
    });
    EXPECT_EQ(log.states, (std::vector<int>{1, 2, 3, 4, 5, -1}));
    EXPECT_TRUE(insideHiddenWhileTalking);
    EXPECT_FALSE(ship_->IsInsideHidden());
    EXPECT_EQ(stage_->GetReportedExceptions(), std::vector<std::string>{});
}

TEST_F(MeetingScene, MissingTextsAndDirectorsEndTheirWaits)
{
    StartShow();
    // Speed 0 would never arrive; texts that do not exist are no talk.
    auto* scene = MakeScene<VMeetingScene>(
        "Quiet.VCS", MeetingFile({"Type=VMeetingScene", "Speed=0", "Intro=Nobody", "Exit=Nothing"}));
    StateLog log = RunOnce(scene);
    EXPECT_EQ(log.states, (std::vector<int>{1, 2, 3, 4, 5, -1}));
    EXPECT_FLOAT_EQ(scene->GetSpeed(), 10);
    EXPECT_LE(log.Span(1), 30);
    EXPECT_LE(log.Span(3), 30);
    EXPECT_TRUE(manager_->IsEnabled());

    // A file with no directors at all passes straight through.
    auto* empty = MakeScene<VMeetingScene>("Empty.VCS", VStreamWriter().Header({"Type=VMeetingScene"}));
    StateLog bare = RunOnce(empty);
    EXPECT_EQ(bare.states, (std::vector<int>{1, 2, 3, 4, 5, -1}));
    EXPECT_LE(bare.times.back() - bare.times.front(), 6 * 25 + 10);
    EXPECT_TRUE(manager_->IsEnabled());
    EXPECT_EQ(stage_->GetReportedExceptions(), std::vector<std::string>{});
}
