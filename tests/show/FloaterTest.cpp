#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "ShowTestKit.h"
#include "engine/stream/VException.h"
#include "show/VFloater.h"
#include "show/VSceneManager.h"

using namespace showtest;

namespace {

// Sprites to make floaters of, 10 x 20 each, with the sequences "a", "b" and "c".
class FloaterTest : public ::testing::Test, public ShowFixtureBase {
public:
    FloaterTest()
        : ShowFixtureBase(
              VStreamWriter()
                  .Record("VSprite", "Comet",
                          SpriteRecord({"f"}, 10, 20, {"a", "b"},
                                       {"Frequency=3", "Speed=50-150", "Pre=a", "During=b"}))
                  .Record("VSprite", "Star",
                          SpriteRecord({"f"}, 10, 20, {"a", "b", "c"},
                                       {"Frequency=2", "Speed=100", "Pre=a", "During=b", "Post=c"}))
                  .Record("VSprite", "Dust", SpriteRecord({"f"}, 10, 20, {}, {"Frequency=40"}))
                  .Record("VSprite", "Slow", SpriteRecord({"f"}, 10, 20, {}, {"Frequency=50", "Speed=1"}))
                  .Record("VSprite", "Stuck", SpriteRecord({"f"}, 10, 20, {}, {"Frequency=5", "Speed=0"}))
                  .Record("VSprite", "Greedy", SpriteRecord({"f"}, 10, 20, {}, {"Frequency=5000"})))
    {
        ship = MakeShip();
        manager = new VSceneManager(ship, Sprite("Zibolt"), stage.get());
    }

    std::string Running(const VFloater* floater)
    {
        VPixieSequencer* running = floater->GetSprite()->GetRunningSequence();
        return running ? running->GetName() : "";
    }

    VSpaceShip* ship;
    VSceneManager* manager;
};

TEST_F(FloaterTest, EachCopyWaitsHiddenInThePoolWithItsMarksAndSpeedRange)
{
    VSprite* comet = Sprite("Comet");
    manager->AddFloater(comet, 4.7f);
    const auto& pool = manager->GetFloaterPool();
    ASSERT_EQ(pool.size(), 3u);
    EXPECT_TRUE(manager->GetActiveFloaters().empty());
    for (VFloater* floater : pool) {
        EXPECT_NE(floater->GetSprite(), comet);
        EXPECT_TRUE(OnStage(floater->GetSprite()));
        EXPECT_FALSE(floater->IsVisible());
        EXPECT_EQ(floater->GetSprite()->GetName(), "Comet");
        EXPECT_EQ(floater->GetWeight(), 4);
        // The first mark from the width, the second from the height: 800 x 600.
        EXPECT_FLOAT_EQ(floater->GetStartX(), 300);
        EXPECT_FLOAT_EQ(floater->GetEndX(), 400);
        EXPECT_EQ(floater->GetDuring(), "b");
        EXPECT_EQ(floater->GetPost(), "a");
        EXPECT_FLOAT_EQ(floater->GetMinSpeed(), 50);
        EXPECT_FLOAT_EQ(floater->GetMaxSpeed(), 150);
        EXPECT_GE(floater->GetSpeed(), 50);
        EXPECT_LE(floater->GetSpeed(), 150);
    }
    EXPECT_EQ(pool[0]->GetSprite()->GetSequences().size(), comet->GetSequences().size());

    // A broken copy count makes nothing rather than exhausting memory.
    EXPECT_THROW(manager->AddFloater(Sprite("Greedy"), 1.0f), VParamException);
    EXPECT_EQ(manager->GetFloaterPool().size(), 3u);
}

TEST_F(FloaterTest, AFloaterFliesFivePixelsATickChangesAtTheMarksAndRetiresPastTheEdge)
{
    manager->AddFloater(Sprite("Star"), 1.0f);
    VFloater* star = manager->PickFloater();
    VFloater* other = manager->PickFloater();
    ASSERT_TRUE(star && other);
    EXPECT_EQ(manager->PickFloater(), nullptr);  // the pool is empty
    EXPECT_TRUE(star->IsVisible());
    EXPECT_FLOAT_EQ(star->GetSpeed(), 100);
    other->SetXY(100, 50);

    star->SetXY(290, 50);
    manager->MoveFloaters();
    EXPECT_FLOAT_EQ(star->GetXPos(), 295);
    EXPECT_EQ(Running(star), "a");
    manager->MoveFloaters();
    EXPECT_FLOAT_EQ(star->GetXPos(), 300);
    EXPECT_EQ(Running(star), "b");
    star->SetXY(396, 50);
    manager->MoveFloaters();
    EXPECT_EQ(Running(star), "c");

    // Past the right edge it goes back to the pool, still and hidden; the floater behind it
    // in the flight list moves in that same tick.
    star->SetXY(796, 50);
    float otherX = other->GetXPos();
    // This tick's launch draw (513 of 1000 after seed 1) launches nothing.
    FixRandomSeed(1);
    manager->MoveFloaters();
    EXPECT_FLOAT_EQ(other->GetXPos(), otherX + 5);
    const auto& active = manager->GetActiveFloaters();
    EXPECT_EQ(std::find(active.begin(), active.end(), star), active.end());
    EXPECT_EQ(manager->GetFloaterPool().size(), 1u);
    EXPECT_FALSE(star->IsVisible());
    EXPECT_EQ(Running(star), "");
}

TEST_F(FloaterTest, NewFloatersEnterFromTheLeftNowAndThen)
{
    manager->AddFloater(Sprite("Slow"), 1.0f);
    const int ticks = 400;
    for (int i = 0; i < ticks; ++i)
        manager->MoveFloaters();
    const auto& active = manager->GetActiveFloaters();
    // 76 chances in 1000 per tick: about 30.
    EXPECT_GE(active.size(), 15u);
    EXPECT_LE(active.size(), 48u);
    for (VFloater* floater : active) {
        EXPECT_TRUE(floater->IsVisible());
        EXPECT_GE(floater->GetXPos(), -100);
        EXPECT_LE(floater->GetXPos(), -100 + ticks * 0.05f + 0.01f);
        EXPECT_GE(floater->GetYPos(), 0);
        EXPECT_LE(floater->GetYPos(), 600 - 20);
        EXPECT_GE(floater->GetZPos(), 100);
        EXPECT_LE(floater->GetZPos(), 1000);
    }
}

TEST_F(FloaterTest, TheShowStartsWithASkyAlreadyFull)
{
    manager->AddFloater(Sprite("Dust"), 1.0f);
    manager->StartShow();
    // 800 wide at speed 100: 800 / 100 x 3.75 = 30 floaters placed anywhere on the stage.
    const auto& active = manager->GetActiveFloaters();
    ASSERT_EQ(active.size(), 30u);
    EXPECT_EQ(manager->GetFloaterPool().size(), 10u);
    float leftmost = 800, rightmost = 0;
    for (VFloater* floater : active) {
        EXPECT_TRUE(floater->IsVisible());
        EXPECT_GE(floater->GetYPos(), 0);
        EXPECT_LE(floater->GetYPos(), 580);
        leftmost = std::min(leftmost, floater->GetXPos());
        rightmost = std::max(rightmost, floater->GetXPos());
    }
    EXPECT_GE(leftmost, 0);
    EXPECT_LE(rightmost, 800);
    EXPECT_GT(rightmost - leftmost, 400);
}

TEST_F(FloaterTest, AStandingFloaterEndsTheScattering)
{
    manager->AddFloater(Sprite("Stuck"), 1.0f);
    manager->StartShow();
    EXPECT_EQ(manager->GetActiveFloaters().size(), 1u);
    EXPECT_EQ(manager->GetFloaterPool().size(), 4u);
}

TEST_F(FloaterTest, FloatersStandHiddenWhileASceneHasTheSkyAndResumeAfterwards)
{
    manager->AddFloater(Sprite("Dust"), 1.0f);
    manager->StartShow();
    stage->RunFor(100);
    VFloater* floater = manager->GetActiveFloaters().front();
    manager->SetFloatersActive(false);
    float x = floater->GetXPos();
    stage->RunFor(500);
    EXPECT_FALSE(floater->IsVisible());
    EXPECT_FLOAT_EQ(floater->GetXPos(), x);
    for (VFloater* waiting : manager->GetFloaterPool())
        EXPECT_FALSE(waiting->IsVisible());

    manager->SetFloatersActive(true);
    EXPECT_TRUE(floater->IsVisible());
    stage->RunFor(100);
    EXPECT_GT(floater->GetXPos(), x);
}

TEST_F(FloaterTest, TheHeroSpeaksNowAndThenWhileFloatersFly)
{
    // A folder that exists: a missing one would give way to the program's own.
    const std::string dir = std::filesystem::temp_directory_path().string();
    (*settings)["Dir"] = dir;
    stage->SetSoundEnabled(true);
    manager->AddFloater(Sprite("Slow"), 1.0f);
    manager->StartShow();
    // 3 chances in 1000 per 25 ms tick: about 12 in 100 seconds.
    stage->RunFor(100000);
    const auto& sounds = stage->GetSoundRequests();
    EXPECT_GE(sounds.size(), 4u);
    EXPECT_LE(sounds.size(), 30u);
    for (const auto& sound : sounds) {
        std::string name = sound.fileName;
        std::size_t at = name.rfind("zibo");
        ASSERT_NE(at, std::string::npos) << name;
        EXPECT_EQ(name.substr(0, at), (std::filesystem::path(dir) / "Sounds" / "").string());
        int number = std::atoi(name.substr(at + 4).c_str());
        EXPECT_GE(number, 1);
        EXPECT_LE(number, 10);
        EXPECT_EQ(sound.flags, 1u);
    }
}

}  // namespace
