#include <gtest/gtest.h>

#include "TestPixieHost.h"
#include "engine/pixies/VFrameRef.h"
#include "engine/pixies/VPicture.h"
#include "engine/pixies/VPixieListWriter.h"
#include "engine/pixies/VSprite.h"
#include "engine/stream/VException.h"

namespace {

// Frames "a" (width 1), "b" (width 2), "c" (width 3), all 2 pixels high.
std::string ThreeFrames()
{
    return FrameListPayload({FrameEntries("a", TestBmp(1, 2), "", 0, 0),
                             FrameEntries("b", TestBmp(2, 2), "", 0, 0),
                             FrameEntries("c", TestBmp(3, 2), "", 0, 0)});
}

// "walk": three steps of 100 ms over a, b, c moving by (1, 0, 0), (2, 0, 0), (-12, 5, 1).
// "still": one step on "b" without moving. "empty": no steps.
std::string Sequences()
{
    return SequenceListPayload({
        {"walk", {{"a", 1, 0, 0}, {"b", 2, 0, 0}, {"c", -12, 5, 1}}},
        {"still", {{"b", 0, 0, 0, "MS:40"}}},
        {"empty", {}},
    });
}

VSprite* LoadSprite(TestPixieHost& host, const VPropertyWriter& props, const std::string& name = "Zibolt")
{
    host.Load(VStreamWriter().Header({}).Record("VSprite", name, props));
    return dynamic_cast<VSprite*>(host.FindComponent(name));
}

VSprite* StandardSprite(TestPixieHost& host, const std::string& name = "Zibolt")
{
    VPropertyWriter props;
    props.Coo("XPos", 100).Coo("YPos", 50).Coo("ZPos", 10).Bool("Visible", true)
        .Raw("FrameList", ThreeFrames()).Raw("SequenceList", Sequences())
        .Wrapped("ImageDir", "$\\Scenes\\Images\\8Bit");
    return LoadSprite(host, props, name);
}

float FrameWidth(VSprite& sprite)
{
    return sprite.GetCurFrame()->GetSurface()->GetWidth();
}

// Counts "OnFinishSequence" and "OnMove" of one pixie and remembers when they came.
struct EventLog {
    TestPixieHost* host = nullptr;
    std::vector<double> finished;
    int moves = 0;

    static void Finished(VComponent*, VEvent*, void* data)
    {
        auto* log = static_cast<EventLog*>(data);
        log->finished.push_back(log->host->now);
    }
    static void Moved(VComponent*, VEvent*, void* data) { ++static_cast<EventLog*>(data)->moves; }

    void Watch(TestPixieHost& h, VComponent& pixie)
    {
        host = &h;
        pixie.AddHandler("OnFinishSequence", Finished, this);
        pixie.AddHandler("OnMove", Moved, this);
    }
};

TEST(SpriteFrames, ListIsReadWithItsEntries)
{
    TestPixieHost host;
    VPropertyWriter props;
    props.Raw("FrameList",
              FrameListPayload({FrameEntries("staand1", TestBmp(4, 3), "", 54, 195),
                                FrameEntries("staand2", TestBmp(4, 3), ColorText(TestColour(5)), 0, 0),
                                FrameEntries("staand3", TestBmp(4, 3), "", 0, 0),
                                // Without a name or without a surface a frame is dropped.
                                FrameEntries("", TestBmp(4, 3), "", 0, 0),
                                VPropertyWriter().Text("Name", "nosurface")}));
    VSprite* sprite = LoadSprite(host, props);
    ASSERT_NE(sprite, nullptr);
    ASSERT_EQ(sprite->GetFrames().size(), 3u);
    const VSpriteFrame& first = *sprite->GetFrames()[0];
    EXPECT_EQ(first.GetName(), "staand1");
    EXPECT_FLOAT_EQ(first.GetHotSpotX(), 54);
    EXPECT_FLOAT_EQ(first.GetHotSpotY(), 195);
    // The first frame without "Transparent" is opaque; a later one keeps the colour before it.
    EXPECT_EQ(first.GetTransparentColour(), -1);
    EXPECT_EQ(first.GetSurface()->GetTransparentColor(), -1);
    EXPECT_EQ(sprite->GetFrames()[1]->GetSurface()->GetTransparentColor(), TestColour(5));
    EXPECT_EQ(sprite->GetFrames()[2]->GetTransparentColour(), TestColour(5));
    EXPECT_FLOAT_EQ(sprite->GetFrames()[2]->GetHotSpotX(), 0) << "hot spots reset per frame";
    EXPECT_EQ(sprite->GetClassName(), "VPixie");
}

TEST(SpriteFrames, WrongImageLengthIsToleratedInFrames)
{
    TestPixieHost host;
    std::string bmp = TestBmp(3, 2);
    // The image announces 5 bytes more than the bitmap uses; the next entry still reads.
    VPropertyWriter frame;
    frame.Text("Name", "padded").Raw("Surface", bmp + "12345").Coo("HotSpotX", 7);
    VSprite* sprite = LoadSprite(host, VPropertyWriter().Raw("FrameList", FrameListPayload({frame})));
    ASSERT_EQ(sprite->GetFrames().size(), 1u);
    EXPECT_FLOAT_EQ(sprite->GetFrames()[0]->GetHotSpotX(), 7);
    EXPECT_FLOAT_EQ(sprite->GetFrames()[0]->GetSurface()->GetWidth(), 3);
}

TEST(SpriteFrames, LookupsAndTheirMessages)
{
    TestPixieHost host;
    // "CurFrameName" before "FrameList" loads; the name is resolved when first needed.
    VPropertyWriter props;
    props.Text("CurFrameName", "B").Raw("FrameList", ThreeFrames());
    VSprite* sprite = LoadSprite(host, props);
    EXPECT_FLOAT_EQ(FrameWidth(*sprite), 2) << "names match without regard to case";
    EXPECT_EQ(sprite->FindFrameByName("")->GetName(), "a") << "empty name: first frame";

    try {
        sprite->SetCurFrameName("nothere");
        FAIL() << "a shown sprite looks the name up at once";
    } catch (const VFindException& e) {
        EXPECT_EQ(e.GetMessage(), "Sprite(Zibolt)::FindFrameByName (nothere) Frame does not exist.");
    }
    EXPECT_EQ(sprite->GetCurFrameName(), "B") << "a failed lookup changes nothing";
    sprite->SetCurFrameName("c");
    EXPECT_FLOAT_EQ(FrameWidth(*sprite), 3);

    // A name that does not exist loads and fails at the first GetCurFrame.
    VPropertyWriter bad;
    bad.Raw("FrameList", ThreeFrames()).Text("CurFrameName", "missing");
    VSprite* other = LoadSprite(host, bad, "Other");
    ASSERT_NE(other, nullptr);
    VDibSurface target(10, 10);
    EXPECT_THROW(other->Draw(target, 0, 0, nullptr), VFindException);

    VSprite empty("empty", &host);
    EXPECT_THROW(empty.GetCurFrame(), VFindException) << "no frames at all";
}

TEST(SpriteFrames, StepOnAPixieThatIsNoSprite)
{
    TestPixieHost host;
    VPicture picture("pic", &host);
    VFrameRef step;
    try {
        step.BeginStep(&picture);
        FAIL() << "no exception";
    } catch (const VFindException& e) {
        EXPECT_EQ(e.GetMessage(), "VFrameRef cannot acces object other than VSprite.");
    }
}

TEST(SpriteSequences, StepsAndPassesOnTheClock)
{
    TestPixieHost host;
    VSprite* sprite = StandardSprite(host);
    ASSERT_EQ(sprite->GetSequences().size(), 3u);
    EventLog log;
    log.Watch(host, *sprite);

    sprite->Run("WALK", 2, VSprite::kUnchanged, VSprite::kUnchanged, VSprite::kUnchanged);
    EXPECT_EQ(log.moves, 1) << "Run places the sprite even where it stands";
    EXPECT_FLOAT_EQ(sprite->GetXPos(), 100);
    EXPECT_FLOAT_EQ(FrameWidth(*sprite), 1);

    host.RunUntil(150, 0.1);
    EXPECT_FLOAT_EQ(FrameWidth(*sprite), 2);
    EXPECT_FLOAT_EQ(sprite->GetXPos(), 101) << "the first step's delta at its end";
    host.RunUntil(250, 0.1);
    EXPECT_FLOAT_EQ(FrameWidth(*sprite), 3);
    host.RunUntil(700, 0.1);
    ASSERT_EQ(log.finished.size(), 2u);
    EXPECT_NEAR(log.finished[0], 300, 2);
    EXPECT_NEAR(log.finished[1], 600, 2);
    EXPECT_FLOAT_EQ(sprite->GetXPos(), 100 + 2 * (1 + 2 - 12));
    EXPECT_FLOAT_EQ(sprite->GetYPos(), 50 + 2 * 5);
    EXPECT_FLOAT_EQ(sprite->GetZPos(), 10 + 2 * 1);
    EXPECT_EQ(log.moves, 1 + 6);
    EXPECT_EQ(sprite->GetRunningSequence(), nullptr) << "finished all passes";
    EXPECT_FLOAT_EQ(FrameWidth(*sprite), 3) << "the last step's frame stays";
    EXPECT_EQ(sprite->GetLastFinishedSequencer(), sprite->FindSequence("walk"));
}

TEST(SpriteSequences, CountZeroPlaysOnceAndNegativeRepeats)
{
    TestPixieHost host;
    VSprite* sprite = StandardSprite(host);
    EventLog log;
    log.Watch(host, *sprite);
    sprite->Run("walk", 0, 0, 0, 0);
    host.RunUntil(1000);
    EXPECT_EQ(log.finished.size(), 1u);

    log.finished.clear();
    sprite->Run("still", -1, 0, 0, 0);
    host.RunUntil(1000 + 40 * 5 + 20);
    EXPECT_EQ(log.finished.size(), 5u);
    EXPECT_NE(sprite->GetRunningSequence(), nullptr);
    sprite->Stop();
    EXPECT_EQ(sprite->GetRunningSequence(), nullptr);
    host.RunUntil(2000);
    EXPECT_EQ(log.finished.size(), 5u) << "Stop ends the repeats";

    try {
        sprite->Run("fly", 1, 0, 0, 0);
        FAIL() << "no exception";
    } catch (const VFindException& e) {
        EXPECT_EQ(e.GetMessage(), "Sprite::Run(fly) Sequence does not exist.");
    }
    // A sequence without steps starts nothing.
    sprite->Run("empty", 1, 0, 0, 0);
    EXPECT_FALSE(sprite->FindSequence("empty")->IsEnabled());
}

TEST(SpriteSequences, RestartingFromTheFinishHandler)
{
    TestPixieHost host;
    VSprite* sprite = StandardSprite(host);
    struct Restart {
        VSprite* sprite;
        int passes = 0;
        std::string next;
    } restart{sprite, 0, "walk"};
    sprite->AddHandler("OnFinishSequence", [](VComponent*, VEvent*, void* data) {
        auto* r = static_cast<Restart*>(data);
        if (++r->passes < 3)
            r->sprite->Run(r->next, 0, VSprite::kUnchanged, VSprite::kUnchanged, VSprite::kUnchanged);
    }, &restart);

    // The same sequence started again with count 0 from its own finish plays again.
    sprite->Run("walk", 0, 0, 0, 0);
    host.RunUntil(1000);
    EXPECT_EQ(restart.passes, 3);
    EXPECT_FLOAT_EQ(sprite->GetXPos(), 3 * (1 + 2 - 12));

    // Another sequence started from the finish of one with passes left: the finishing one
    // stops there, so the new one's first frame shows.
    restart.passes = 1;
    restart.next = "still";
    sprite->Run("walk", 3, 0, 0, 0);
    host.RunUntil(host.now + 320, 0.1);
    EXPECT_EQ(sprite->GetRunningSequence(), sprite->FindSequence("still"));
    EXPECT_FALSE(sprite->FindSequence("walk")->IsEnabled());
    EXPECT_FLOAT_EQ(FrameWidth(*sprite), 2) << "still's frame, not walk's first";
}

TEST(SpriteSequences, CopiesShareFramesAndSequences)
{
    TestPixieHost host;
    VSprite* source = StandardSprite(host);
    source->SetCurFrameName("b");
    source->Run("walk", 1, 5, 6, 7);
    host.RunUntil(1000);
    EXPECT_FLOAT_EQ(FrameWidth(*source), 3) << "the step's frame";
    EXPECT_EQ(source->GetCurFrameName(), "b") << "the name set before the run";
    source->SetMirrorX(true);
    source->SetVisible(false);

    auto* copy = new VSprite("Zibolt", &host);
    copy->CopyFrom(*source);
    EXPECT_FLOAT_EQ(FrameWidth(*copy), 2) << "shows the named frame, not the step's";
    EXPECT_EQ(copy->GetFrames()[0], source->GetFrames()[0]) << "shared, not duplicated";
    EXPECT_EQ(copy->FindSequence("walk"), source->FindSequence("walk"));
    EXPECT_FLOAT_EQ(copy->GetXPos(), source->GetXPos());
    EXPECT_FLOAT_EQ(copy->GetZPos(), source->GetZPos());
    EXPECT_FALSE(copy->IsVisible());
    EXPECT_FALSE(copy->GetMirrorX());

    // The copy keeps working when the sprite it copied is gone.
    copy->Run("walk", -1, 0, 0, 0);
    host.GetChildren().erase(std::find(host.GetChildren().begin(), host.GetChildren().end(), source));
    delete source;
    host.RunUntil(1500);
    EXPECT_FLOAT_EQ(FrameWidth(*copy), 2);
    // And a sequence it was playing stops when the copy goes.
    VPixieSequencer* walk = copy->FindSequence("walk");
    EXPECT_TRUE(walk->IsEnabled());
    EXPECT_EQ(walk->GetPixie(), copy);
    delete copy;
}

TEST(SpriteSequences, UpdateRectUsesTheCurrentFrame)
{
    TestPixieHost host;
    VSprite* sprite = StandardSprite(host);
    EXPECT_TRUE(sprite->UpdateRect());
    EXPECT_EQ(host.invalid, (std::vector<VRect>{{100, 50, 1, 2}}));
    host.invalid.clear();
    sprite->SetCurFrameName("c");
    EXPECT_TRUE(sprite->UpdateRect());
    EXPECT_EQ(host.invalid, (std::vector<VRect>{{100, 50, 1, 2}, {100, 50, 3, 2}}));
}

}  // namespace
