// Only what changed in a frame is handed on to be shown.
#include <gtest/gtest.h>

#include "engine/stage/VFrameChanges.h"
#include "engine/stage/VPresentPlan.h"
#include "tests/stage/StageTestKit.h"

namespace {

// Keeps the rectangles of every present.
class ListStage : public VHeadlessStage {
public:
    void Present(VSurface& surface, float x, float y, const VRectList* rects) override
    {
        std::vector<VRect> list;
        if (rects)
            for (const VRect* r : *rects)
                list.push_back(*r);
        whole.push_back(rects == nullptr);
        lists.push_back(list);
        VHeadlessStage::Present(surface, x, y, rects);
    }
    std::vector<bool> whole;
    std::vector<std::vector<VRect>> lists;
};

bool Covers(const std::vector<VRect>& list, int x, int y)
{
    for (const VRect& r : list)
        if (x >= r.x && x < r.Right() && y >= r.y && y < r.Bottom())
            return true;
    return false;
}

}  // namespace

TEST(FrameChanges, RepaintsHandOnWhatChangedAndNothingWhenNothingDid)
{
    ListStage stage;
    stage.SetMainStream(stagetest::StageStream());
    stage.Load();
    stagetest::BlockPixie block("Block", stage, 7, 10, 10);
    block.SetXY(40, 20);
    stage.Repaint();
    ASSERT_FALSE(stage.whole.back());
    const std::vector<VRect> first = stage.lists.back();
    for (int y = 20; y < 30; ++y)
        for (int x = 40; x < 50; ++x)
            ASSERT_TRUE(Covers(first, x, y)) << x << "," << y;
    EXPECT_FALSE(Covers(first, 200, 200));
    EXPECT_EQ(stage.GetInvalidList().Size(), 0u);

    stage.Repaint();
    EXPECT_TRUE(stage.lists.back().empty()) << "an unchanged frame";

    // The old place and the new one, which may be apart.
    block.SetXY(250, 150);
    stage.Repaint();
    EXPECT_TRUE(Covers(stage.lists.back(), 45, 25));
    EXPECT_TRUE(Covers(stage.lists.back(), 255, 155));

    // A marked rectangle counts even where the pixels came out the same.
    stage.InvalidRect(VRect(300, 0, 5, 5));
    stage.Repaint();
    EXPECT_TRUE(Covers(stage.lists.back(), 303, 3));
}

TEST(FrameChanges, TilesMergeDownwardsAndNewColoursRenewTheWholeFrame)
{
    VDib frame(100, 40);
    frame.Fill(1);
    VFrameChanges changes;
    VInvalidList dirty;
    changes.Collect(frame, dirty);
    ASSERT_EQ(dirty.Size(), 1u);
    EXPECT_EQ(dirty[0], VRect(0, 0, 100, 40)) << "the first frame is all new";
    dirty.Clear();

    // A column 3 pixels wide and 30 high crosses four bands of tiles: one rectangle.
    frame.FillRect(VRect(70, 5, 3, 30), 2);
    changes.Collect(frame, dirty);
    ASSERT_EQ(dirty.Size(), 1u);
    EXPECT_EQ(dirty[0], VRect(64, 0, 32, 40));
    dirty.Clear();
    changes.Collect(frame, dirty);
    EXPECT_EQ(dirty.Size(), 0u);

    frame.GetPaletteEntries()[9].red ^= 0xFF;  // a fade step changes no pixel
    changes.Collect(frame, dirty);
    ASSERT_EQ(dirty.Size(), 1u);
    EXPECT_EQ(dirty[0], VRect(0, 0, 100, 40));
}

TEST(PresentPlan, PartsOfTheShownPictureAtWholeAndOtherFactors)
{
    VRect a(10, 4, 6, 2);
    VRectList one{&a};
    // A whole factor: each pixel decides a k x k block, and nothing around it.
    VPresentPlan twice = VPresentPlan::Make(&one, 100, 50, 200, 100, false);
    ASSERT_EQ(twice.kind, VPresentPlan::Kind::Parts);
    ASSERT_EQ(twice.parts.size(), 1u);
    EXPECT_EQ(twice.parts[0].shown, (VIntRect{20, 8, 12, 4}));
    EXPECT_EQ(twice.parts[0].source, (VIntRect{10, 4, 6, 2}));
    // A blend reaches a pixel further on every side, cut at the picture's edges.
    VRect edge(0, 0, 4, 4);
    VRectList corner{&edge};
    VPresentPlan blended = VPresentPlan::Make(&corner, 100, 50, 150, 75, true);
    ASSERT_EQ(blended.parts.size(), 1u);
    EXPECT_EQ(blended.parts[0].shown, (VIntRect{0, 0, 8, 8}));

    VRectList none;
    EXPECT_EQ(VPresentPlan::Make(&none, 100, 50, 200, 100, false).kind, VPresentPlan::Kind::Nothing);
    EXPECT_EQ(VPresentPlan::Make(nullptr, 100, 50, 200, 100, false).kind, VPresentPlan::Kind::Whole);
    VRect most(0, 0, 100, 30);
    VRectList big{&most};
    EXPECT_EQ(VPresentPlan::Make(&big, 100, 50, 200, 100, false).kind, VPresentPlan::Kind::Whole);
}
