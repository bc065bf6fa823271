// Reading the main stream: event order, the stage's own properties and failures on the way.
#include <gtest/gtest.h>

#include "engine/stream/VEventBinding.h"
#include "tests/stage/StageTestKit.h"

using namespace stagetest;

namespace {

std::vector<std::string>* gOrder = nullptr;

void Note(VComponent* sender, VEvent* event, void*)
{
    auto* stage = dynamic_cast<VStage*>(CurrentStage());
    std::string entry = event->GetName();
    if (stage && stage->FindComponent("Clock"))
        entry += "+clock";
    if (stage && stage->GetFrameBuffer())
        entry += "+frame";
    if (sender->GetName() != "Stage")
        entry = sender->GetName() + ":" + entry;
    gOrder->push_back(entry);
}

}  // namespace

TEST(StageStream, AddComponentStreamRaisesItsEventsInOrder)
{
    std::vector<std::string> order;
    gOrder = &order;
    EventBinding b1("Stage", "OnBeforeEverything", Note, "");
    EventBinding b2("Stage", "OnSetup", Note, "");
    EventBinding b3("Stage", "OnBeforeShow", Note, "");
    EventBinding b4("Stage", "OnCreated", Note, "");
    // Its source only exists once the stream is read: connected by the second pass.
    EventBinding b5("Clock", "OnTimer", Note, "");
    auto stage = LoadedStage(VStreamWriter()
                                 .Record("VStage", "Stage", VPropertyWriter().Text("Caption", "Hi"))
                                 .Record("VTimer", "Clock", VPropertyWriter().Text("Interval", "100").Bool("Enabled", true))
                                 .Bytes());
    EXPECT_EQ(order, (std::vector<std::string>{"OnBeforeEverything", "OnSetup+clock",
                                               "OnBeforeShow+clock+frame", "OnCreated+clock+frame"}));
    EXPECT_EQ(PendingBindingCount(), 0u);
    order.clear();
    stage->RunFor(150);
    EXPECT_EQ(order, (std::vector<std::string>{"Clock:OnTimer+clock+frame"}));
    EXPECT_EQ(stage->GetCaption(), "Hi");
    EXPECT_TRUE(stage->HasWindow());
    gOrder = nullptr;
}

TEST(StageStream, QuitBeforeEverythingReadsNothing)
{
    VHeadlessStage stage;
    EventLog log;
    log.Listen(stage, "OnBeforeEverything", [&] { stage.Stop(); });
    log.Listen(stage, "OnSetup");
    stage.SetMainStream(VStreamWriter().Record("VTimer", "Clock", VPropertyWriter()).Bytes());
    stage.Load();
    EXPECT_EQ(log.names, std::vector<std::string>{"OnBeforeEverything"});
    EXPECT_EQ(stage.FindComponent("Clock"), nullptr);
    EXPECT_FALSE(stage.HasWindow());
    EXPECT_EQ(stage.GetFrameBuffer(), nullptr);
}

TEST(StageStream, StagePropertiesAndTheWindowSize)
{
    auto stage = LoadedStage(StageStream(VPropertyWriter()
                                             .Nested("WindowRect", VPropertyWriter().Text("X", "5").Text("Width", "999"))
                                             .Bool("ShowCursor", false)
                                             .Bool("HasFrame", false)
                                             .Bool("UseColor", false)
                                             .Color("backcolor", 0xFFFFFF)
                                             .Text("Caption", "Zibolt")));
    const VStageSetup& setup = stage->GetSetup();
    EXPECT_EQ(setup.windowRect, VRect(0, 0, 320, 240));
    EXPECT_EQ(stage->GetWindowBounds(), VRect(0, 0, 320, 240));
    EXPECT_EQ(stage->GetFrameBuffer()->GetWidth(), 320);
    EXPECT_EQ(stage->GetBackground()->GetHeight(), 240);
    EXPECT_FALSE(setup.showCursor);
    EXPECT_FALSE(stage->IsCursorShown());
    EXPECT_FALSE(setup.hasFrame);
    EXPECT_FALSE(setup.useColor);
    EXPECT_EQ(setup.backColor, 0xFFFFFF);
    EXPECT_EQ(stage->GetCaption(), "Zibolt");
    EXPECT_TRUE(stage->GetReportedExceptions().empty());
}

TEST(StageStream, FullScreenTakesTheScreenSize)
{
    VHeadlessStage stage;
    stage.SetScreenSize(800, 600);
    stage.SetMainStream(StageStream(VPropertyWriter().Bool("FullScreen", true)));
    stage.Load();
    EXPECT_EQ(stage.GetWindowBounds(), VRect(0, 0, 800, 600));
    EXPECT_EQ(stage.GetFrameBuffer()->GetWidth(), 800);
}

TEST(StageStream, BackgroundIsComposedIntoTheFrame)
{
    auto stage = LoadedStage(StageStream(VPropertyWriter().Raw("Background", SolidBmp(40, 30, 7))));
    ASSERT_TRUE(stage->HasFrame());
    const VIndexedImage& frame = stage->GetLastFrame();
    EXPECT_EQ(frame.width, 320);
    EXPECT_EQ(frame.height, 240);
    EXPECT_EQ(frame.At(0, 0), 7);
    EXPECT_EQ(frame.At(39, 29), 7);
    EXPECT_EQ(frame.palette[7].red, 7);
    EXPECT_EQ(frame.palette[7].green, 248);
}

TEST(StageStream, ABrokenStreamIsReportedAndTheStageStillRuns)
{
    std::string good = StageStream(VPropertyWriter().Raw("Background", SolidBmp(8, 8, 1)));
    // Cut inside the bitmap: the value's length no longer matches what is there.
    auto stage = LoadedStage(good.substr(0, good.size() - 20));
    ASSERT_EQ(stage->GetReportedExceptions().size(), 1u);
    EXPECT_TRUE(stage->HasWindow());
    ASSERT_NE(stage->GetFrameBuffer(), nullptr);
    stage->RunFor(100);

    auto bad = LoadedStage("XYZ");
    EXPECT_EQ(bad->GetReportedExceptions(), std::vector<std::string>{"AddComponentStream encountered an invalid header."});
    EXPECT_TRUE(bad->HasWindow());
}

// Bitmaps in streams, whatever holds them: read within their value, what the image leaves
// over skipped, an image longer than its value refused.
TEST(StageStream, BitmapValuesFollowOneRule)
{
    std::string bmp = SolidBmp(8, 8, 1);
    VPropertyWriter picture;
    picture.Raw("Surface", bmp + "junk").Coo("XPos", 7);
    auto stage = LoadedStage(VStreamWriter()
                                 .Record("VStage", "Stage", VPropertyWriter().Raw("Background", bmp + "junk").Text("Caption", "after"))
                                 .Record("VPicture", "P", picture)
                                 .Bytes());
    EXPECT_TRUE(stage->GetReportedExceptions().empty()) << stage->GetReportedExceptions()[0];
    EXPECT_EQ(stage->GetCaption(), "after");
    EXPECT_EQ(stage->GetLastFrame().At(7, 7), 1);
    auto* p = dynamic_cast<VPixie*>(stage->FindComponent("P"));
    ASSERT_NE(p, nullptr);
    EXPECT_FLOAT_EQ(p->GetXPos(), 7);

    auto cut = LoadedStage(StageStream(VPropertyWriter().Raw("Background", bmp.substr(0, bmp.size() - 3))));
    ASSERT_EQ(cut->GetReportedExceptions().size(), 1u);
}

// The stage reads no "Tag": a malformed one is skipped like any unknown property, so the
// records after it still load.
TEST(StageStream, AStageTagIsSkipped)
{
    auto stage = LoadedStage(VStreamWriter()
                                 .Record("VStage", "Stage", VPropertyWriter().Text("Tag", "no tag list").Text("Caption", "Hi"))
                                 .Record("VTimer", "Clock", VPropertyWriter().Text("Interval", "100"))
                                 .Bytes());
    EXPECT_TRUE(stage->GetReportedExceptions().empty()) << stage->GetReportedExceptions()[0];
    EXPECT_EQ(stage->GetCaption(), "Hi");
    EXPECT_NE(stage->FindComponent("Clock"), nullptr);
    EXPECT_TRUE(stage->GetTags().empty());
}

TEST(StageStream, NoMainStreamLeavesOnlyTheStage)
{
    VHeadlessStage stage;
    stage.Load();
    EXPECT_EQ(stage.GetChildren().size(), 1u);
    EXPECT_EQ(stage.GetChildren()[0], &stage);
    EXPECT_EQ(stage.FindComponent("stage"), &stage);
    EXPECT_TRUE(stage.HasWindow());
}
