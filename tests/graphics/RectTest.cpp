#include <gtest/gtest.h>

#include "engine/graphics/VRect.h"

TEST(RectTest, EmptyWhenAnExtentTruncatesToZero)
{
    EXPECT_TRUE(VRect(5, 5, 0.9f, 10).IsEmpty());
    EXPECT_TRUE(VRect(5, 5, 10, -0.5f).IsEmpty());
    EXPECT_FALSE(VRect(5, 5, 1, -1).IsEmpty());
    EXPECT_FALSE(VRect(0, 0, -3, 2).IsEmpty());
}

TEST(RectTest, IntersectKeepsTheOverlapOrBecomesZero)
{
    VRect r(-5, 2, 20, 10);
    EXPECT_TRUE(r.Intersect(VRect(0, 0, 8, 8)));
    EXPECT_EQ(r, VRect(0, 2, 8, 6));

    VRect apart(10, 10, 5, 5);
    EXPECT_FALSE(apart.Intersect(VRect(0, 0, 10, 20)));  // touching edges do not overlap
    EXPECT_EQ(apart, VRect());
}

TEST(RectTest, OffsetFloorAndEquality)
{
    VRect r(1.5f, -2.25f, 3.75f, 4);
    r.Offset(1, 1);
    EXPECT_EQ(r, VRect(2.5f, -1.25f, 3.75f, 4));
    r.Floor();
    EXPECT_EQ(r, VRect(2, -2, 3, 4));
    EXPECT_FALSE(r == VRect(2, -2, 3, 5));
}
