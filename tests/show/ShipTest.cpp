#include <gtest/gtest.h>

#include "ShowTestKit.h"
#include "engine/stream/VTimer.h"

using namespace showtest;

namespace {

class ShipTest : public ::testing::Test, public ShowFixtureBase {
public:
    ShipTest()
        : ShowFixtureBase(VStreamWriter().Record(
              "VSprite", "Mail", SpriteRecord({"letter"}, 10, 10, {"DEFAULT"})))
    {
        ship = MakeShip();
    }

    std::string Running(VSprite* sprite)
    {
        VPixieSequencer* running = sprite->GetRunningSequence();
        return running ? running->GetName() : "";
    }

    VSpaceShip* ship;
};

TEST_F(ShipTest, StartsWithEngineOnAndHeroAboard)
{
    EXPECT_EQ(Running(Sprite("Ship-Engine")), "ON_1");
    EXPECT_TRUE(ship->IsHeroAboard());
    EXPECT_FALSE(Sprite("Zibolt")->IsVisible());
    EXPECT_EQ(Sprite("Zibolt")->GetCurFrameName(), "s_l90");
    EXPECT_EQ(ship->GetName(), "Enterprise");
    EXPECT_EQ(ship->GetTimer()->GetName(), "timer_Enterprise");
    EXPECT_FALSE(ship->GetTimer()->IsEnabled());
}

TEST_F(ShipTest, SetEngineSwitchesKindAndState)
{
    VSprite* engine = Sprite("Ship-Engine");
    ship->SetEngine("2", true);
    EXPECT_EQ(Running(engine), "ON_2");
    // An empty type keeps the running kind.
    ship->SetEngine("", false);
    EXPECT_EQ(Running(engine), "OFF_2");
    // A kind the engine lacks leaves it without a running sequence.
    ship->SetEngine("9", true);
    EXPECT_EQ(engine->GetRunningSequence(), nullptr);
    ship->SetEngine("", true);  // nothing runs: the type is empty, "ON_" does not exist
    EXPECT_EQ(engine->GetRunningSequence(), nullptr);
}

TEST_F(ShipTest, HeightFollowsTheGear)
{
    ship->SetGearExtension(1.0f);
    EXPECT_FLOAT_EQ(ship->GetShipHeight(), 200 + 40 - 18);
    ship->SetGearExtension(0.0f);
    EXPECT_FLOAT_EQ(ship->GetShipHeight(), 200);
    ship->SetGearExtension(0.5f);
    EXPECT_FLOAT_EQ(ship->GetShipHeight(), 200 + 11);
}

TEST_F(ShipTest, ComposesLayersAroundTheAnchor)
{
    auto target = Surface(400, 400, kBlack);
    ship->SetFlameAmount(0.0f);
    ship->SetGearExtension(1.0f);
    ship->Draw(*target, 200, 300, nullptr);
    // Body: x 80..319, y 100..299, with its window at x 100..299, y 120..199.
    EXPECT_EQ(Pixel(*target, 80, 100), 5);
    EXPECT_EQ(Pixel(*target, 319, 299), 5);
    EXPECT_EQ(Pixel(*target, 79, 150), kBlack);
    // Gear (100 wide) from 18 above the anchor down to 22 below; the flame (20 wide) is out.
    EXPECT_EQ(Pixel(*target, 150, 310), 9);
    EXPECT_EQ(Pixel(*target, 150, 321), 9);
    EXPECT_EQ(Pixel(*target, 150, 322), kBlack);
    EXPECT_EQ(Pixel(*target, 149, 310), kBlack);
    EXPECT_TRUE(ship->IsScaledImageStale());  // scale 1 draws directly
    // The hero sits in the window, 190 above the anchor; the inside lies lower.
    EXPECT_EQ(Pixel(*target, 190, 125), 7);
    EXPECT_EQ(Pixel(*target, 150, 190), 8);
    ship->SetHeroAboard(false);
    ship->SetInsideHidden(true);
    auto empty = Surface(400, 400, kBlack);
    ship->Draw(*empty, 200, 300, nullptr);
    EXPECT_EQ(Pixel(*empty, 190, 125), kBlack);
    ship->SetInsideHidden(false);

    // With the flame fully out and the gear in, only the flame shows below the body.
    auto second = Surface(400, 400, kBlack);
    ship->SetFlameAmount(1.0f);
    ship->SetGearExtension(0.0f);
    ship->Draw(*second, 200, 300, nullptr);
    EXPECT_EQ(Pixel(*second, 195, 310), 7);
    EXPECT_EQ(Pixel(*second, 195, 329), 7);
    EXPECT_EQ(Pixel(*second, 150, 310), kBlack);
}

TEST_F(ShipTest, SkinShowsWhereTheOutlineHasItsKeyColour)
{
    auto outline = Surface(240, 200, kKey);
    auto skin = Surface(240, 80, 6);
    auto inside = Surface(200, 100, kGreen);
    auto gear = Surface(100, 40, 9);
    VSpaceShip other(*outline, *skin, *inside, *gear, Sprite("Ship-Engine"), Sprite("Zibolt"),
                     *stage);
    other.SetInsideHidden(true);
    other.SetHeroAboard(false);
    other.SetFlameAmount(0);
    other.SetGearExtension(0);
    auto target = Surface(400, 400, kBlack);
    other.Draw(*target, 200, 300, nullptr);
    // The skin fills the bottom 80 rows; above it the body keeps the outline's own pixels,
    // since only green is see-through in the body.
    EXPECT_EQ(Pixel(*target, 100, 220), 6);
    EXPECT_EQ(Pixel(*target, 100, 299), 6);
    EXPECT_EQ(Pixel(*target, 100, 219), kKey);
}

TEST_F(ShipTest, ScaledDrawKeepsTheAnchor)
{
    ship->SetFlameAmount(0.0f);
    ship->SetGearExtension(0.0f);
    ship->SetScale(0.5f);
    auto target = Surface(400, 400, kBlack);
    ship->Draw(*target, 200, 300, nullptr);
    EXPECT_FALSE(ship->IsScaledImageStale());
    // Half size: the body spans x 140..259 and ends at the anchor's height.
    EXPECT_EQ(Pixel(*target, 141, 295), 5);
    EXPECT_EQ(Pixel(*target, 258, 255), 5);
    EXPECT_EQ(Pixel(*target, 137, 295), kBlack);
    EXPECT_EQ(Pixel(*target, 200, 302), kBlack);
    EXPECT_EQ(Pixel(*target, 200, 198), kBlack);
    // Through the halved window (y 210..249): the hero above, the inside below.
    EXPECT_EQ(Pixel(*target, 200, 215), 7);
    EXPECT_EQ(Pixel(*target, 200, 245), 8);

    // Within one flight the composed picture is reused; once the ship was back at natural
    // size, the next scaled draw composes it as it is then.
    ship->SetScale(1.0f);
    ship->SetGearExtension(1.0f);
    ship->SetScale(0.5f);
    auto second = Surface(400, 400, kBlack);
    ship->Draw(*second, 200, 300, nullptr);
    EXPECT_EQ(Pixel(*second, 200, 305), 9) << "the lowered gear of the second flight";
}

TEST_F(ShipTest, MailRisesStaysAndSinksOver124Ticks)
{
    VSprite* mail = Sprite("Mail");
    ship->DeliverMail(mail);
    EXPECT_FALSE(ship->IsBusy());
    ship->SetMailShown(true);
    ASSERT_TRUE(ship->IsBusy());
    EXPECT_TRUE(ship->GetTimer()->IsEnabled());
    EXPECT_EQ(Sprite("Zibolt")->GetCurFrameName(), "s_l135");
    ship->SetMailShown(true);  // already showing: nothing changes
    EXPECT_EQ(ship->GetMailTick(), 0);

    std::vector<float> amounts;
    for (int n = 1; n <= 124; ++n) {
        ship->GetTimer()->Tick();
        amounts.push_back(ship->GetMailAmount());
    }
    EXPECT_FLOAT_EQ(amounts[0], 1.0f / 12);
    EXPECT_FLOAT_EQ(amounts[10], 11.0f / 12);
    EXPECT_FLOAT_EQ(amounts[11], 1.0f);
    EXPECT_FLOAT_EQ(amounts[110], 1.0f);
    EXPECT_FLOAT_EQ(amounts[111], 1.0f);
    EXPECT_FLOAT_EQ(amounts[117], 0.5f);
    EXPECT_NEAR(amounts[122], 1.0f / 12, 1e-6);
    EXPECT_FLOAT_EQ(amounts[123], 0.0f);
    EXPECT_FALSE(ship->IsBusy());
    EXPECT_FALSE(ship->GetTimer()->IsEnabled());
    EXPECT_EQ(mail->GetRunningSequence(), nullptr);
}

TEST_F(ShipTest, MailIsDrawnOnlyWhilePlaying)
{
    ship->SetFlameAmount(0);
    ship->SetGearExtension(0);
    ship->DeliverMail(Sprite("Mail"));
    ship->SetMailAmount(1.0f);
    auto before = Surface(400, 400, kBlack);
    ship->Draw(*before, 200, 300, nullptr);
    // Not playing yet: the window is empty where the mail would be.
    EXPECT_EQ(Pixel(*before, 145, 162), kBlack);

    ship->SetMailShown(true);
    for (int n = 0; n < 20; ++n)
        ship->GetTimer()->Tick();
    auto during = Surface(400, 400, kBlack);
    ship->Draw(*during, 200, 300, nullptr);
    // Fully risen: 10 x 10 at (anchor x - 60, anchor y - 141).
    EXPECT_EQ(Pixel(*during, 145, 162), 7);
}

TEST_F(ShipTest, MailWithoutItsSequenceNeverHoldsTheShow)
{
    VSprite* odd = Sprite("Ship-Engine");  // has sequences, none named "DEFAULT"
    ship->DeliverMail(odd);
    ship->SetMailShown(true);
    EXPECT_FALSE(ship->GetTimer()->IsEnabled());
    EXPECT_EQ(ship->GetMail(), odd);

    // A mail whose sequence stops before the display ends closes the display at the next tick.
    ship->DeliverMail(Sprite("Mail"));
    ship->SetMailShown(true);
    ship->GetTimer()->Tick();
    Sprite("Mail")->Stop();
    ship->GetTimer()->Tick();
    EXPECT_FALSE(ship->GetTimer()->IsEnabled());
    EXPECT_FLOAT_EQ(ship->GetMailAmount(), 0.0f);
}

}  // namespace
