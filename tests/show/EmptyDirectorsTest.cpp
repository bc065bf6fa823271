// Directors without key frames never advance: wherever a scene waits for one, it counts as
// finished, so every scene kind still ends within what its content implies.
#include <gtest/gtest.h>

#include "SceneTestKit.h"
#include "show/VInShipScene.h"
#include "show/VMeetingScene.h"
#include "show/VMovingScene.h"
#include "show/VPlanetScene.h"

using namespace scenetest;

namespace {

class EmptyDirectors : public SceneStage {};

}  // namespace

TEST_F(EmptyDirectors, EverySceneKindEndsWhenItsDirectorsHoldNothing)
{
    Build(true, true);  // "GetOut" and "GetIn" without key frames
    StartShow();
    const VPropertyWriter empty = DirectorProps({}, 0);
    VStreamWriter planet;
    planet.Header({"Type=VPlanetScene"}).Record("VDirector", "Playing", empty)
        .Record("VDirector", "Before", empty).Record("VDirector", "Talking", empty)
        .Record("VDirector", "NotTalking", empty);
    VStreamWriter meeting;
    meeting.Header({"Type=VMeetingScene", "Intro=Hi", "Exit=Bye"})
        .Record("VDirector", "MoveIn", empty).Record("VDirector", "Playing", empty)
        .Record("VDirector", "Talking", empty).Record("VDirector", "NotTalking", empty)
        .Record("VText", "Hi", TextProps({"Hello"})).Record("VText", "Bye", TextProps({"Bye"}));
    VStreamWriter moving;
    moving.Header({"Type=VMovingScene", "Path=0,0,100|0,0,200", "Speed=5"});
    VStreamWriter inShip;
    inShip.Header({"Type=VInShipScene"}).Record("VDirector", "Scene", empty);

    // Two six-second flights, two balloons, the hero's 300 ms microphone moves, the visitor's
    // flights at 10 pixels a tick, and room for the ticks between the states.
    const double bound = 12000 + 2 * (1160 + 500) + 600 + 2 * (1200 / 10.0 * 25) + 2000;
    std::vector<VScene*> scenes{MakeScene<VPlanetScene>("Planet.VCS", planet),
                                MakeScene<VMeetingScene>("Meeting.VCS", meeting),
                                MakeScene<VMovingScene>("Moving.VCS", moving),
                                MakeScene<VInShipScene>("InShip.VCS", inShip)};
    for (VScene* scene : scenes) {
        ASSERT_NE(scene, nullptr);
        double start = stage_->GetTime();
        scene->Start(manager_);
        RunUntil([&] { return !scene->IsRunning(); }, bound);
        EXPECT_FALSE(scene->IsRunning()) << scene->GetName() << " still waits after " << bound << " ms";
        EXPECT_TRUE(manager_->IsEnabled()) << scene->GetName() << " left the scene manager stopped";
        EXPECT_LT(stage_->GetTime() - start, bound) << scene->GetName();
    }
    EXPECT_TRUE(stage_->GetReportedExceptions().empty()) << stage_->GetReportedExceptions()[0];
}
