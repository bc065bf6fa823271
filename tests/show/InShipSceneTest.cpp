#include <gtest/gtest.h>

#include "SceneTestKit.h"
#include "engine/pixies/VDirector.h"
#include "show/VInShipScene.h"

using namespace scenetest;

namespace {

// A director "Scene" of `frames` frames of 100 ms over a picture of the ship's inside.
VStreamWriter InShipFile(int frames, const std::string& insideAt)
{
    VStreamWriter file;
    VPropertyWriter director = DirectorProps({{"Inside", insideAt}, {"Pot", "XPos=1;"}}, frames);
    file.Header({"Type=VInShipScene"})
        .Record("VPicture", "Inside", PictureProps(60, 40, 16, false))
        .Record("VPicture", "Pot", PictureProps(5, 5, 17, false))
        .Record("VDirector", "Scene", director);
    return file;
}

class InShipScene : public SceneStage {};

}  // namespace

TEST_F(InShipScene, PlaysOverTheShipOnceAndEndsOnReachingTheEnd)
{
    StartShow();
    auto* scene = MakeScene<VInShipScene>("Cook.VCS", InShipFile(6, "XPos=4;YPos=6;ZPos=2;Visible=True;"));
    ASSERT_NE(scene, nullptr);
    ASSERT_NE(scene->GetDirector(), nullptr);
    EXPECT_TRUE(scene->KeepsSky());
    scene->GetDirector()->SetLoop(true);  // a looping director in the file still ends the scene
    const float x = ship_->GetXPos(), y = ship_->GetYPos(), z = ship_->GetZPos();

    scene->Start(manager_);
    double started = stage_->GetTime();
    EXPECT_TRUE(manager_->AreFloatersActive());
    EXPECT_TRUE(ship_->IsInsideHidden());
    EXPECT_TRUE(scene->GetDirector()->IsPlaying());
    EXPECT_FALSE(scene->GetDirector()->GetLoop());
    EXPECT_FLOAT_EQ(scene->GetDirector()->GetXPos(), x - 110 - 4);
    EXPECT_FLOAT_EQ(scene->GetDirector()->GetYPos(), y - 159 - 6);
    EXPECT_FLOAT_EQ(scene->GetDirector()->GetZPos(), z + 40 - 2);

    double ended = RunUntil([&] { return !scene->IsRunning(); }, 5000, [&] {
        if (scene->IsRunning()) {
            EXPECT_TRUE(ship_->IsInsideHidden());
        }
    });
    EXPECT_FALSE(scene->IsRunning());
    EXPECT_FALSE(ship_->IsInsideHidden());
    // Six frames of 100 ms, then the step past the last one.
    EXPECT_GE(ended - started, 550);
    EXPECT_LE(ended - started, 800);
    EXPECT_FALSE(scene->GetDirector()->IsPlaying());
    // The ship stays where it flew; the floaters fly on.
    EXPECT_FLOAT_EQ(ship_->GetXPos(), x);
    EXPECT_TRUE(manager_->AreFloatersActive());

    // A reach-end of the idle director (another scene may play it) ends nothing.
    scene->GetDirector()->FireEvent("OnReachEnd", 0);
    EXPECT_EQ(manager_->GetCurrentScene(), nullptr);
}

TEST_F(InShipScene, WithoutAnInsideItemTheDirectorSitsAtTheBareOffsets)
{
    StartShow();
    VStreamWriter file;
    file.Header({"Type=VInShipScene"})
        .Record("VPicture", "Pot", PictureProps(5, 5, 17, false))
        .Record("VDirector", "Scene", DirectorProps({{"Pot", "XPos=1;"}}, 2));
    auto* scene = MakeScene<VInShipScene>("Pot.VCS", file);
    scene->Start(manager_);
    EXPECT_FLOAT_EQ(scene->GetDirector()->GetXPos(), ship_->GetXPos() - 110);
    EXPECT_FLOAT_EQ(scene->GetDirector()->GetYPos(), ship_->GetYPos() - 159);
    EXPECT_FLOAT_EQ(scene->GetDirector()->GetZPos(), ship_->GetZPos() + 40);
    RunUntil([&] { return !scene->IsRunning(); }, 2000);
    EXPECT_FALSE(scene->IsRunning());
}

TEST_F(InShipScene, WithoutAPlayableDirectorTheSceneEndsInTheCallThatStartedIt)
{
    StartShow();
    VStreamWriter none;
    none.Header({"Type=VInShipScene"}).Record("VPicture", "Pot", PictureProps(5, 5, 17, false));
    VStreamWriter empty;
    empty.Header({"Type=VInShipScene"}).Record("VDirector", "Scene", DirectorProps({}, 0));
    for (auto* scene : {MakeScene<VInShipScene>("None.VCS", none), MakeScene<VInShipScene>("Empty.VCS", empty)}) {
        ASSERT_NE(scene, nullptr);
        scene->Start(manager_);
        EXPECT_FALSE(scene->IsRunning()) << scene->GetName();
        EXPECT_FALSE(ship_->IsInsideHidden());
        EXPECT_EQ(manager_->GetCurrentScene(), nullptr);
    }
}
