// Dirty rectangles stay disjoint and cover exactly what was marked.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "engine/stage/VInvalidList.h"
#include "tests/stage/StageTestKit.h"

namespace {

const VRect kStage(0, 0, 320, 240);

using Pixels = std::set<std::pair<int, int>>;

Pixels Cover(const VRect& r)
{
    Pixels p;
    for (int y = int(r.y); y < int(r.Bottom()); ++y)
        for (int x = int(r.x); x < int(r.Right()); ++x)
            p.insert({x, y});
    return p;
}

// Checks that the list is disjoint and returns the pixels it covers.
Pixels ListCover(const VInvalidList& list)
{
    Pixels all;
    std::size_t total = 0;
    for (std::size_t i = 0; i < list.Size(); ++i) {
        EXPECT_FALSE(list[i].IsEmpty());
        Pixels p = Cover(list[i]);
        total += p.size();
        all.insert(p.begin(), p.end());
    }
    EXPECT_EQ(total, all.size()) << "rectangles overlap";
    return all;
}

}  // namespace

TEST(InvalidRect, FractionalEdgesWidenToWholePixels)
{
    VInvalidList list;
    list.Add(VRect(10.5f, 10.5f, 5, 5), kStage);
    ASSERT_EQ(list.Size(), 1u);
    EXPECT_EQ(list[0], VRect(10, 10, 6, 6));
}

TEST(InvalidRect, InsideTheWholeStage)
{
    VInvalidList list;
    list.Add(kStage, kStage);
    list.Add(VRect(10, 10, 50, 50), kStage);
    ASSERT_EQ(list.Size(), 1u);
    EXPECT_EQ(list[0], kStage);

    VInvalidList corner;
    corner.Add(kStage, kStage);
    corner.Add(VRect(0, 0, 100, 50), kStage);
    ASSERT_EQ(corner.Size(), 2u);
    EXPECT_EQ(corner[0], VRect(0, 0, 320, 51));
    EXPECT_EQ(corner[1], VRect(0, 51, 320, 189));
}

TEST(InvalidRect, CornerOverlapGivesThreeDisjointRects)
{
    VInvalidList list;
    list.Add(VRect(10, 10, 20, 20), kStage);  // pixels 10..30
    list.Add(VRect(20, 20, 20, 20), kStage);  // pixels 20..40
    EXPECT_EQ(list.Size(), 3u);
    Pixels want = Cover(VRect(10, 10, 21, 21));
    Pixels b = Cover(VRect(20, 20, 21, 21));
    want.insert(b.begin(), b.end());
    EXPECT_EQ(ListCover(list), want);
}

TEST(InvalidRect, OutsideOrEmptyLeavesTheListAlone)
{
    VInvalidList list;
    list.Add(VRect(1, 1, 2, 2), kStage);
    list.Add(VRect(400, 10, 20, 20), kStage);
    list.Add(VRect(-50, -50, 10, 10), kStage);
    list.Add(VRect(5, 5, 0.5f, 30), kStage);
    list.Add(VRect(5, 5, std::nanf(""), 30), kStage);
    list.Add(VRect(-INFINITY, 0, INFINITY, 30), kStage);
    ASSERT_EQ(list.Size(), 1u);
    EXPECT_EQ(list[0], VRect(1, 1, 3, 3));
}

TEST(InvalidRect, RandomRectsCoverExactlyTheirUnion)
{
    std::mt19937 random(7);
    const VRect bounds(0, 0, 64, 48);
    for (int round = 0; round < 200; ++round) {
        VInvalidList list;
        Pixels want;
        int n = 1 + int(random() % 8);
        for (int i = 0; i < n; ++i) {
            VRect r(float(int(random() % 80) - 8), float(int(random() % 60) - 8),
                    float(random() % 40) + 0.5f, float(random() % 30) + 0.25f);
            list.Add(r, bounds);
            if (!r.IsEmpty()) {
                VRect g = r;
                g.Floor();
                g.width += 1;
                g.height += 1;
                if (g.Intersect(bounds)) {
                    Pixels p = Cover(g);
                    want.insert(p.begin(), p.end());
                }
            }
        }
        ASSERT_EQ(ListCover(list), want) << "round " << round;
    }
}

TEST(InvalidRect, StageClipsToItsFrameAndIgnoresMarksBeforeIt)
{
    VHeadlessStage early;
    early.InvalidRect(VRect(0, 0, 10, 10));
    EXPECT_EQ(early.GetInvalidList().Size(), 0u);

    auto stage = stagetest::LoadedStage();
    // The first Show presented the whole frame and left the list empty.
    EXPECT_EQ(stage->GetInvalidList().Size(), 0u);
    stage->InvalidRect(VRect(300, 230, 50, 50));
    ASSERT_EQ(stage->GetInvalidList().Size(), 1u);
    EXPECT_EQ(stage->GetInvalidList()[0], VRect(300, 230, 20, 10));
}
