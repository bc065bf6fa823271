#include <gtest/gtest.h>

#include <cmath>

#include "SceneTestKit.h"
#include "show/VMovingScene.h"

using namespace scenetest;

namespace {

// A flight over a sky of one cloud, which stands at the stage centre in the design layout.
VStreamWriter FlightFile(const std::string& path, const std::string& speed)
{
    VStreamWriter file;
    file.Header({"Type=VMovingScene", "Path=" + path, "Speed=" + speed})
        .Record("VPicture", "Cloud",
                PictureProps(10, 10, 14).Coo("XPos", 400).Coo("YPos", 300).Tags("Tag", {"SkyItem=True"}))
        .Record("VPicture", "Rock", PictureProps(10, 10, 15));
    return file;
}

class MovingScene : public SceneStage {
protected:
    VMovingScene* Flight(const std::string& path, const std::string& speed)
    {
        StartShow();
        return MakeScene<VMovingScene>("Fly.VCS", FlightFile(path, speed));
    }
    VPixie* FileItem(VScene* scene, const std::string& name)
    {
        return dynamic_cast<VPixie*>(scene->GetComponents()->FindComponent(name));
    }
    // The ship's offset from the stage centre.
    float DX() { return ship_->GetXPos() - StageW() * 0.5f; }
    float DY() { return ship_->GetYPos() - StageH() * 0.5f; }
};

}  // namespace

TEST_F(MovingScene, FliesAwayInDepthAndEndsWithoutReachingTheLastPoint)
{
    VMovingScene* scene = Flight("0,0,100|0,0,200", "50");
    ASSERT_NE(scene, nullptr);
    EXPECT_FALSE(scene->KeepsSky());
    EXPECT_DOUBLE_EQ(scene->GetInterval(), 1.0);
    ASSERT_NE(FileItem(scene, "Cloud"), nullptr);
    EXPECT_FALSE(FileItem(scene, "Cloud")->IsVisible());  // hidden until the scene starts

    scene->Start(manager_);
    ASSERT_TRUE(scene->IsRunning());
    EXPECT_FALSE(manager_->AreFloatersActive());
    EXPECT_TRUE(Find("Cloud")->IsVisible());
    EXPECT_FLOAT_EQ(Find("Cloud")->GetXPos(), StageW() * 0.5f);
    EXPECT_FALSE(Find("Rock")->IsVisible());
    EXPECT_FLOAT_EQ(DX(), 0);
    EXPECT_FLOAT_EQ(DY(), 0);
    EXPECT_FLOAT_EQ(ship_->GetZPos(), 100);
    EXPECT_FLOAT_EQ(ship_->GetScale(), 1);

    scene->Tick();
    EXPECT_FLOAT_EQ(ship_->GetZPos(), 150);
    EXPECT_FLOAT_EQ(ship_->GetScale(), 100.0f / 150);

    // The last point is reached: the scene ends and the manager centres the ship again
    // instead of the scene putting it at depth 200.
    scene->Tick();
    EXPECT_FALSE(scene->IsRunning());
    EXPECT_FLOAT_EQ(ship_->GetZPos(), 1);
    EXPECT_FLOAT_EQ(ship_->GetScale(), 1);
    EXPECT_TRUE(manager_->AreFloatersActive());
    EXPECT_FALSE(Find("Cloud"));  // the file's components are off the stage again
}

TEST_F(MovingScene, ThePictureFollowsTheStraightPathInDepth)
{
    // From 0 right at depth 100 to 200 right at depth 200: in path space (0, 0, 100) to
    // (40000, 0, 200), about 40000 long. Half-way lies (20000, 0, 150), which shows 133 right
    // of the centre at two thirds size, not the 100 of a flat blend.
    VMovingScene* scene = Flight("0,0,100|200,-100,200", "22360.68");
    scene->Start(manager_);
    scene->Tick();
    EXPECT_NEAR(ship_->GetZPos(), 150, 0.01);
    EXPECT_NEAR(DX(), 20000.0f / 150, 0.05);
    EXPECT_NEAR(DY(), -10000.0f / 150, 0.05);
    EXPECT_NEAR(ship_->GetScale(), 100.0f / 150, 1e-4);
}

TEST_F(MovingScene, ALongStepPassesPointsWithinOneTick)
{
    VMovingScene* scene = Flight("0,0,100|0,0,150|0,0,300|0,0,400", "100");
    scene->Start(manager_);
    // 50 to the second point, the other 50 towards the third.
    scene->Tick();
    EXPECT_FLOAT_EQ(ship_->GetZPos(), 200);
    EXPECT_FLOAT_EQ(scene->GetTarget().z, 300);
    scene->Tick();
    EXPECT_FLOAT_EQ(ship_->GetZPos(), 300);  // exactly onto the third point
    EXPECT_TRUE(scene->IsRunning());
    scene->Tick();
    EXPECT_FALSE(scene->IsRunning());
}

TEST_F(MovingScene, PointsAtDepthZeroArePassedOver)
{
    VMovingScene* scene = Flight("0,0,0|10,0,100|5,5,0|0,0,200", "50");
    scene->Start(manager_);
    ASSERT_TRUE(scene->IsRunning());
    EXPECT_FLOAT_EQ(ship_->GetZPos(), 100);
    EXPECT_FLOAT_EQ(DX(), 10);
    scene->Tick();
    EXPECT_TRUE(std::isfinite(ship_->GetXPos()));
    EXPECT_GT(ship_->GetZPos(), 100);
    EXPECT_LT(ship_->GetZPos(), 200);
    EXPECT_FLOAT_EQ(scene->GetTarget().z, 200);
}

TEST_F(MovingScene, WithoutTwoPointsOrASpeedTheSceneEndsAtOnceWithoutPlacingTheShip)
{
    for (const auto& [path, speed] : std::vector<std::pair<std::string, std::string>>{
             {"", "50"}, {"30,20,100", "50"}, {"30,20,100|0,0,0", "50"}, {"30,20,100|0,0,200", ""}}) {
        SCOPED_TRACE(path + " at " + speed);
        Build(true);
        VMovingScene* scene = Flight(path, speed);
        ASSERT_NE(scene, nullptr);
        scene->Start(manager_);
        EXPECT_FALSE(scene->IsRunning());
        EXPECT_EQ(manager_->GetCurrentScene(), nullptr);
        EXPECT_TRUE(manager_->AreFloatersActive());
        EXPECT_FLOAT_EQ(DX(), 0);
        EXPECT_FLOAT_EQ(ship_->GetZPos(), 1);
        EXPECT_FALSE(Find("Cloud"));
    }
}

TEST_F(MovingScene, RunsOnTheStageClockAndAgainFromTheStart)
{
    VMovingScene* scene = Flight("0,0,100|0,0,200|0,0,100", "1");
    for (int run = 0; run < 2; ++run) {
        scene->Start(manager_);
        EXPECT_FLOAT_EQ(ship_->GetZPos(), 100);
        // 200 path units at one a tick, at most a tick a millisecond.
        double started = stage_->GetTime();
        double ended = RunUntil([&] { return !scene->IsRunning(); }, 2000, {}, 10);
        EXPECT_FALSE(scene->IsRunning());
        EXPECT_GE(ended - started, 199);
        EXPECT_LT(ended - started, 1000);
        EXPECT_FLOAT_EQ(ship_->GetZPos(), 1);
    }
}
