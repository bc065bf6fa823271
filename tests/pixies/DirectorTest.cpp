#include <gtest/gtest.h>

#include "TestPixieHost.h"
#include "engine/pixies/VDirector.h"
#include "engine/pixies/VPicture.h"
#include "engine/pixies/VPixieListWriter.h"
#include "engine/pixies/VSprite.h"
#include "engine/stream/VException.h"

namespace {

VDirector* LoadDirector(TestPixieHost& host, const std::vector<VTupleEntry>& tuples,
                        const std::string& frameLength = "120", const std::string& name = "getin")
{
    VPropertyWriter props;
    props.Coo("XPos", 0).Coo("YPos", 0).Coo("ZPos", 0).Bool("Visible", true)
        .Text("FrameLength", frameLength).Raw("Tupels", TupelsPayload(tuples))
        .Text("txtWidth", "100").Text("txtHeight", "20");
    host.Load(VStreamWriter().Header({}).Record("VDirector", name, props));
    return dynamic_cast<VDirector*>(host.FindComponent(name));
}

VSprite* LoadSprite(TestPixieHost& host, const std::string& name)
{
    VPropertyWriter props;
    props.Raw("FrameList", FrameListPayload({FrameEntries("getin0", TestBmp(1, 1), "", 0, 0),
                                             FrameEntries("getin1", TestBmp(2, 1), "", 0, 0)}));
    host.Load(VStreamWriter().Header({}).Record("VSprite", name, props));
    return dynamic_cast<VSprite*>(host.FindComponent(name));
}

struct Counter {
    TestPixieHost* host;
    std::vector<double> at;
    static void Hit(VComponent*, VEvent*, void* data)
    {
        auto* c = static_cast<Counter*>(data);
        c->at.push_back(c->host->now);
    }
};

TEST(Director, InterpolatesPositionsAndHoldsTheRest)
{
    TestPixieHost host;
    VDirector* director = LoadDirector(
        host, {{"3", "Zibolt", "XPos=10;Visible=False;CurFrameName=getin0;"},
               {"5", "Zibolt", "CurFrameName=getin1;Visible=True;XPos=20;"}});
    ASSERT_NE(director, nullptr);
    EXPECT_EQ(director->GetLastFrame(), 5);
    EXPECT_EQ(director->GetClassName(), "VPixie");
    VSprite* sprite = LoadSprite(host, "Zibolt");  // read after the director: found lazily
    sprite->SetXPos(-1);
    director->SetXPos(100);

    director->ShowFrame(1);
    director->ShowFrame(2);
    EXPECT_FLOAT_EQ(sprite->GetXPos(), -1) << "before the first key frame nothing happens";
    director->ShowFrame(3);
    EXPECT_FLOAT_EQ(sprite->GetXPos(), 110);
    director->ShowFrame(4);
    EXPECT_FLOAT_EQ(sprite->GetXPos(), 115);
    EXPECT_FALSE(sprite->IsVisible()) << "Visible is not interpolated";
    EXPECT_FLOAT_EQ(sprite->GetCurFrame()->GetSurface()->GetWidth(), 1);
    director->ShowFrame(5);
    EXPECT_FLOAT_EQ(sprite->GetXPos(), 120);
    EXPECT_TRUE(sprite->IsVisible());
    EXPECT_EQ(sprite->GetCurFrameName(), "getin1");
    director->ShowFrame(9);
    EXPECT_FLOAT_EQ(sprite->GetXPos(), 120) << "past the last key frame it holds";

    // Moving the stopped director moves the pixie at once; the same X again does nothing.
    director->SetXY(200, 0);
    EXPECT_FLOAT_EQ(sprite->GetXPos(), 220);
    sprite->SetXPos(0);
    director->SetXPos(200);
    EXPECT_FLOAT_EQ(sprite->GetXPos(), 0);
}

TEST(Director, AssignmentsPairByKeyWhateverTheirOrder)
{
    TestPixieHost host;
    VDirector* director = LoadDirector(
        host, {{"1", "door", "ZPos=0;Visible=True;XPos=113;YPos=23;"},
               {"3", "door", "Visible=True;XPos=113;YPos=33;ZPos=2;"}});
    VPicture door("door", &host);
    director->ShowFrame(2);
    EXPECT_FLOAT_EQ(door.GetXPos(), 0) << "not on the stage yet: the track waits";
    EXPECT_EQ(director->GetTracks()[0].GetPixie(), nullptr);
    host.GetChildren().push_back(&door);
    director->ShowFrame(2);
    EXPECT_FLOAT_EQ(door.GetXPos(), 113);
    EXPECT_FLOAT_EQ(door.GetYPos(), 28);
    EXPECT_FLOAT_EQ(door.GetZPos(), 1);
    float x = -1, y = -1, z = -1;
    EXPECT_TRUE(director->GetStartPosition("DOOR", x, y, z));
    EXPECT_FLOAT_EQ(x, 113);
    EXPECT_FLOAT_EQ(y, 23);
    EXPECT_FLOAT_EQ(z, 0);
    director->SetXPos(500);
    EXPECT_TRUE(director->GetStartPosition("door", x, y, z));
    EXPECT_FLOAT_EQ(x, 113) << "raw timeline values, without the director's position";
    EXPECT_FALSE(director->GetStartPosition("nobody", x, y, z));
    host.GetChildren().pop_back();
}

TEST(Director, InterpolatedPositionsKeepSixDecimals)
{
    TestPixieHost host;
    VDirector* director = LoadDirector(host, {{"1", "Zibolt", "XPos=0;"}, {"4", "Zibolt", "XPos=1;"}});
    VSprite* sprite = LoadSprite(host, "Zibolt");
    director->ShowFrame(2);
    EXPECT_EQ(sprite->GetXPos(), static_cast<float>(0.333333));
    EXPECT_NE(sprite->GetXPos(), 1.0f / 3.0f);
}

TEST(Director, PlaysOnceRaisesReachEndAndRewinds)
{
    TestPixieHost host;
    std::vector<VTupleEntry> tuples;
    for (int f = 1; f <= 28; ++f)
        tuples.push_back({std::to_string(f), "Zibolt", "XPos=" + std::to_string(f) + ";"});
    VDirector* director = LoadDirector(host, tuples, "120");
    VSprite* sprite = LoadSprite(host, "Zibolt");
    Counter reached{&host, {}};
    Counter entered{&host, {}};
    director->AddHandler("OnReachEnd", Counter::Hit, &reached);
    director->AddHandler("OnEnterCol", Counter::Hit, &entered);

    director->SetLoop(false);
    director->SetPlaying(true, 1);
    EXPECT_FLOAT_EQ(sprite->GetXPos(), 1) << "the start frame shows at once";
    director->SetPlaying(true, 7);
    EXPECT_EQ(director->GetCurrentFrame(), 1) << "already playing: nothing changes";
    host.RunUntil(1800, 0.5);
    EXPECT_EQ(director->GetCurrentFrame(), 15);
    EXPECT_FLOAT_EQ(sprite->GetXPos(), 15);
    host.RunUntil(5000, 0.5);
    ASSERT_EQ(reached.at.size(), 1u);
    EXPECT_NEAR(reached.at[0], 28 * 120, 20);
    EXPECT_FALSE(director->IsPlaying());
    EXPECT_EQ(director->GetCurrentFrame(), 1);
    EXPECT_FLOAT_EQ(sprite->GetXPos(), 28) << "the last frame's values stay";
    EXPECT_TRUE(entered.at.empty()) << "advancing raises no OnEnterCol";

    director->ShowFrame(4);
    EXPECT_EQ(entered.at.size(), 1u);
    director->ShowFrame(-1);
    director->ShowFrame(4);
    EXPECT_EQ(entered.at.size(), 1u);
}

TEST(Director, LoopsAndStops)
{
    TestPixieHost host;
    VDirector* director = LoadDirector(host, {{"1", "Zibolt", "XPos=0;"}, {"3", "Zibolt", "XPos=30;"}},
                                       "100");
    VSprite* sprite = LoadSprite(host, "Zibolt");
    Counter reached{&host, {}};
    director->AddHandler("OnReachEnd", Counter::Hit, &reached);
    director->SetLoop(true);
    director->SetPlaying(true, 1);
    host.RunUntil(1000, 0.5);
    EXPECT_GE(reached.at.size(), 3u);
    EXPECT_TRUE(director->IsPlaying());
    director->SetPlaying(false, -1);
    std::size_t passes = reached.at.size();
    float x = sprite->GetXPos();
    host.RunUntil(2000, 0.5);
    EXPECT_EQ(reached.at.size(), passes);
    EXPECT_FLOAT_EQ(sprite->GetXPos(), x);
}

TEST(Director, MissingFrameStopsTheTracksAfterIt)
{
    TestPixieHost host;
    VDirector* director = LoadDirector(host, {{"1", "Zibolt", "CurFrameName=nothere;"},
                                              {"1", "Sidekick", "XPos=5;"}});
    VSprite* sprite = LoadSprite(host, "Zibolt");
    VSprite* sidekick = LoadSprite(host, "Sidekick");
    sprite->GetCurFrame();  // shown once: names are looked up at once from now on
    EXPECT_THROW(director->ShowFrame(1), VFindException);
    EXPECT_FLOAT_EQ(sidekick->GetXPos(), 0);
}

// A track that leads back to a director being applied (its own name, or directors naming each
// other) is skipped and reported once; the director's other tracks still play.
TEST(Director, ADirectorNeverAppliesItselfDirectlyOrThroughOthers)
{
    TestPixieHost host;
    VSprite* sprite = LoadSprite(host, "Zibolt");
    VDirector* self = LoadDirector(host, {{"1", "getin", "XPos=5;"}, {"1", "Zibolt", "XPos=3;"}});
    self->SetLoop(true);
    self->SetPlaying(true, 1);
    host.RunUntil(1000);
    ASSERT_EQ(host.reports.size(), 1u);
    EXPECT_NE(host.reports[0].find("Director getin: its track for getin leads back"), std::string::npos) << host.reports[0];
    EXPECT_FLOAT_EQ(sprite->GetXPos(), 3);

    VDirector* a = LoadDirector(host, {{"1", "b", "XPos=1;"}, {"2", "b", "XPos=2;"}}, "120", "a");
    VDirector* b = LoadDirector(host, {{"1", "a", "YPos=1;"}, {"2", "a", "YPos=2;"}}, "120", "b");
    for (VDirector* director : {a, b}) {
        director->SetLoop(true);
        director->SetPlaying(true, 1);
    }
    host.RunUntil(2000);
    EXPECT_EQ(host.reports.size(), 2u);
}

TEST(Director, FrameLengthDefaultsAndBounds)
{
    TestPixieHost host;
    VDirector plain("plain", &host);
    EXPECT_DOUBLE_EQ(plain.GetFrameLength(), 100);
    EXPECT_FALSE(plain.GetLoop());
    EXPECT_FALSE(plain.IsPlaying());
    plain.Advance();  // no tracks: nothing at all
    EXPECT_EQ(plain.GetCurrentFrame(), 1);

    // A frame length of 0 (or no number) would keep the timer due for ever.
    VDirector* zero = LoadDirector(host, {{"1", "x", "XPos=1;"}}, "abc", "zero");
    EXPECT_DOUBLE_EQ(zero->GetFrameLength(), VDirector::kMinFrameLength);
    Counter ends{&host, {}};
    zero->AddHandler("OnReachEnd", Counter::Hit, &ends);
    zero->SetLoop(true);
    zero->SetPlaying(true, 1);
    host.RunUntil(host.now + 10);
    // Frames of 1 ms: the director passes its end again and again while the clock moves on.
    EXPECT_GE(ends.at.size(), 4u);
    EXPECT_LE(ends.at.size(), 10u);
}

}  // namespace
