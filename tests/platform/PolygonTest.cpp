#include <gtest/gtest.h>

#include <functional>

#include "TextTestSupport.h"
#include "engine/graphics/VPolygon.h"

namespace {

// Every pixel is `inside(x, y) ? on : off`.
void ExpectPixels(const VDib& dib, uint8_t on, uint8_t off,
                  const std::function<bool(int, int)>& inside)
{
    for (int y = 0; y < dib.GetHeight(); ++y)
        for (int x = 0; x < dib.GetWidth(); ++x)
            ASSERT_EQ(dib.GetPixelIndex(x, y), inside(x, y) ? on : off) << "at " << x << "," << y;
}

TEST(Polygon, RectangleFillLeavesRightAndBottomEdgesToTheOutline)
{
    auto dib = FilledDib(10, 6, 0);
    const VPoint box[] = {{2, 1}, {7, 1}, {7, 4}, {2, 4}};
    FillPolygon(*dib, box, 4, 1);
    ExpectPixels(*dib, 1, 0, [](int x, int y) { return x >= 2 && x <= 6 && y >= 1 && y <= 3; });

    OutlinePolygon(*dib, box, 4, 2);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x) {
            bool inBox = x >= 2 && x <= 7 && y >= 1 && y <= 4;
            bool edge = inBox && (x == 2 || x == 7 || y == 1 || y == 4);
            EXPECT_EQ(dib->GetPixelIndex(x, y), edge ? 2 : inBox ? 1 : 0) << x << "," << y;
        }
}

TEST(Polygon, TriangleTakesThePixelsWhoseCentresLieInside)
{
    auto dib = FilledDib(10, 10, 0);
    const VPoint triangle[] = {{0, 0}, {8, 0}, {0, 8}};
    FillPolygon(*dib, triangle, 3, 9);
    ExpectPixels(*dib, 9, 0, [](int x, int y) { return x + y <= 6; });
}

TEST(Polygon, EvenOddLeavesThePentagramsCentreOpen)
{
    auto dib = FilledDib(40, 40, 0);
    const VPoint star[] = {{20, 0}, {32, 38}, {0, 14}, {40, 14}, {8, 38}};
    FillPolygon(*dib, star, 5, 5);
    EXPECT_EQ(dib->GetPixelIndex(20, 21), 0) << "the centre is crossed twice";
    EXPECT_EQ(dib->GetPixelIndex(20, 4), 5) << "the top point";
    EXPECT_EQ(dib->GetPixelIndex(4, 15), 5) << "the left point";
    EXPECT_EQ(dib->GetPixelIndex(0, 39), 0);
}

TEST(Polygon, ClipsToTheBitmapWithoutMovingPixels)
{
    auto dib = FilledDib(10, 10, 0);
    const VPoint square[] = {{-5, -5}, {5, -5}, {5, 5}, {-5, 5}};
    FillPolygon(*dib, square, 4, 3);
    ExpectPixels(*dib, 3, 0, [](int x, int y) { return x < 5 && y < 5; });

    // A line from far outside lights the same pixels as its part that starts inside.
    auto a = FilledDib(20, 20, 0);
    auto b = FilledDib(20, 20, 0);
    DrawLine(*a, {-1000, -500}, {30, 15}, 1);
    DrawLine(*b, {0, 0}, {30, 15}, 1);
    ExpectPixels(*a, 1, 0, [](int x, int y) { return y == (x + 1) / 2; });
    ExpectPixels(*b, 1, 0, [](int x, int y) { return y == (x + 1) / 2; });
}

TEST(Polygon, HugeCoordinatesAreClampedNotOverflowed)
{
    auto dib = FilledDib(16, 16, 0);
    const VPoint huge[] = {{-2000000000, -2000000000}, {2000000000, -2000000000},
                           {2000000000, 2000000000}, {-2000000000, 2000000000}};
    FillPolygon(*dib, huge, 4, 7);
    OutlinePolygon(*dib, huge, 4, 8);
    ExpectPixels(*dib, 7, 0, [](int, int) { return true; });
}

TEST(Polygon, LinesDrawBothEndsAndOnePixelPerStep)
{
    auto dib = FilledDib(8, 8, 0);
    DrawLine(*dib, {4, 2}, {0, 0}, 1);
    ExpectPixels(*dib, 1, 0, [](int x, int y) {
        return (x == 0 && y == 0) || (x == 1 && y == 1) || (x == 2 && y == 1) ||
               (x == 3 && y == 2) || (x == 4 && y == 2);
    });
    auto dot = FilledDib(4, 4, 0);
    DrawLine(*dot, {2, 3}, {2, 3}, 6);
    ExpectPixels(*dot, 6, 0, [](int x, int y) { return x == 2 && y == 3; });
}

}  // namespace
