// The repaint pass: background first, then visible pixies from the deepest to the nearest.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/pixies/VPixieListWriter.h"
#include "engine/pixies/VSprite.h"
#include "tests/stage/FailingPixie.h"
#include "tests/stage/StageTestKit.h"

using namespace stagetest;

TEST(Repaint, DeeperPixiesAreDrawnFirst)
{
    auto stage = LoadedStage(StageStream(VPropertyWriter().Raw("Background", SolidBmp(320, 240, 2))));
    std::vector<std::string> log;
    BlockPixie near("near", *stage, 10, 20, 20, &log);
    BlockPixie far("far", *stage, 50, 20, 20, &log);
    BlockPixie hidden("hidden", *stage, 99, 100, 100, &log);
    near.SetPos(10, 10, 1);
    far.SetPos(15, 15, 5);
    hidden.SetZPos(0);
    hidden.SetVisible(false);
    stage->Repaint();
    EXPECT_EQ(log, (std::vector<std::string>{"far", "near"}));
    const VIndexedImage& frame = stage->GetLastFrame();
    EXPECT_EQ(frame.At(20, 20), 10);  // the overlap shows the nearer one
    EXPECT_EQ(frame.At(32, 32), 50);
    EXPECT_EQ(frame.At(5, 5), 2);
    EXPECT_EQ(frame.At(200, 200), 2);
    // Pixies are sorted ahead of every other component; the stage itself follows them.
    EXPECT_EQ(stage->GetChildren()[0], &far);
    EXPECT_EQ(stage->GetChildren()[3], stage.get());
}

TEST(Repaint, DepthsThatAreNotNumbersDoNotUpsetTheSort)
{
    auto stage = LoadedStage();
    std::vector<std::unique_ptr<BlockPixie>> pixies;
    std::vector<std::string> log;
    for (int i = 0; i < 40; ++i) {
        pixies.push_back(std::make_unique<BlockPixie>("p" + std::to_string(i), *stage, i, 2, 2, &log));
        pixies.back()->SetZPos(i % 3 == 0 ? std::nanf("") : float(i % 7));
    }
    stage->Repaint();
    EXPECT_EQ(log.size(), 40u);
    // Equal depths keep their order, so the same run paints the same way.
    std::vector<std::string> first = log;
    log.clear();
    stage->Repaint();
    EXPECT_EQ(log, first);
}

TEST(Repaint, NothingHappensWithoutSurfaces)
{
    VHeadlessStage stage;
    stage.Repaint();
    EXPECT_EQ(stage.GetPresentCount(), 0);
}

TEST(Repaint, BackgroundColourFillsTheBackground)
{
    auto stage = LoadedStage(StageStream(VPropertyWriter().Raw("Background", SolidBmp(4, 4, 3))));
    // Palette entry 9 is (red 9, green 246, blue 4).
    stage->SetBackgroundColor(9 | (246 << 8) | (4 << 16));
    stage->Repaint();
    EXPECT_EQ(stage->GetLastFrame().At(0, 0), 9);
}

// A sprite whose current frame names a frame it lacks: reported once, not at every repaint,
// left unpainted while the others are still shown, and painted again once its frame changes.
TEST(Repaint, ASpriteWithoutItsFrameIsReportedOnceAndSkipped)
{
    VPropertyWriter sprite;
    sprite.Coo("ZPos", 1).Bool("Visible", true).Text("CurFrameName", "gone")
        .Raw("FrameList", FrameListPayload({FrameEntries("here", SolidBmp(4, 4, 9), "", 0, 0)}));
    auto stage = LoadedStage(VStreamWriter()
                                 .Record("VStage", "Stage", VPropertyWriter().Raw("Background", SolidBmp(320, 240, 2)))
                                 .Record("VSprite", "Blob", sprite)
                                 .Record("VTimer", "Tick", VPropertyWriter().Text("Interval", "40").Bool("Enabled", true))
                                 .Bytes());
    BlockPixie block("block", *stage, 10, 20, 20);
    block.SetPos(100, 100, 5);
    stage->RunFor(2000);
    EXPECT_GT(stage->GetPresentCount(), 10);
    ASSERT_EQ(stage->GetReportedExceptions().size(), 1u);
    EXPECT_EQ(stage->GetReportedExceptions()[0], "Sprite(Blob)::FindFrameByName (gone) Frame does not exist.");
    EXPECT_EQ(stage->GetLastFrame().At(105, 105), 10) << "the other pixies are painted";
    EXPECT_EQ(stage->GetLastFrame().At(1, 1), 2);

    dynamic_cast<VSprite*>(stage->FindComponent("Blob"))->SetCurFrameName("here");
    stage->RunFor(200);
    EXPECT_EQ(stage->GetReportedExceptions().size(), 1u);
    EXPECT_EQ(stage->GetLastFrame().At(1, 1), 9);
}

namespace {

// Fades as the windowed stages do, one step per pump of the virtual clock.
class FadingStage : public VHeadlessStage {
public:
    void FadeTransition(bool fadeOut, bool fadeIn) override
    {
        PlayPaletteFade(fadeOut, fadeIn, [this] {
            if (--stepsToFailure == 0)
                throw VException("an input handler failed");
            return PumpMessages(0) || quitAtStep;
        });
    }
    int stepsToFailure = -1;
    bool quitAtStep = false;
};

}  // namespace

TEST(Repaint, AFadeCutShortLeavesTheClockRunningAndPresentationOn)
{
    FadingStage stage;
    stage.SetMainStream(StageStream(VPropertyWriter().Raw("Background", SolidBmp(32, 32, 2))));
    stage.Load();
    FailingPixie pixie(stage);
    const VPaletteEntry* colours = stage.GetFrameBuffer()->GetDib()->GetPaletteEntries();
    const VPaletteEntry background = colours[2];

    // Faded out, then the recomposed frame fails.
    EXPECT_THROW(stage.FadeTransition(true, true), VException);
    EXPECT_FALSE(stage.IsClockPaused());
    EXPECT_FALSE(stage.IsPresentHeld());
    pixie.failing = false;
    const long long presents = stage.GetPresentCount();
    stage.Repaint();
    EXPECT_EQ(stage.GetPresentCount(), presents + 1);

    // A failure half-way down to black leaves the picture in its own colours, not dark.
    stage.stepsToFailure = 10;
    EXPECT_THROW(stage.FadeTransition(true, true), VException);
    EXPECT_FALSE(stage.IsClockPaused());
    EXPECT_EQ(colours[2], background);

    // Quitting mid-fade keeps the faded colours but not the paused clock.
    stage.quitAtStep = true;
    stage.FadeTransition(true, true);
    EXPECT_FALSE(stage.IsClockPaused());
    EXPECT_NE(colours[2], background);
}
