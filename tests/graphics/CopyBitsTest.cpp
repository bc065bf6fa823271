#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/graphics/VBlitRows.h"
#include "engine/graphics/VDib.h"
#include "tests/graphics/GraphicsTestUtil.h"
#include "tests/graphics/ReferenceCopy.h"

namespace {

// A source whose pixel (x, y) is 1 + x + 10 y (so columns and rows can be read back).
std::unique_ptr<VDib> Numbered(int width, int height)
{
    return MakeDib(width, height, [](int x, int y) { return uint8_t(1 + x + 10 * y); });
}

std::unique_ptr<VDib> Blank(int width, int height)
{
    return MakeDib(width, height, [](int, int) { return 0; });
}

std::vector<int> Row(const VDib& dib, int y)
{
    std::vector<int> out;
    for (int x = 0; x < dib.GetWidth(); ++x)
        out.push_back(dib.GetPixelIndex(x, y));
    return out;
}

}  // namespace

TEST(CopyBitsTest, ParameterFaults)
{
    auto source = Numbered(4, 4);
    auto dest = Blank(4, 4);
    VRect all(0, 0, 4, 4);
    EXPECT_EQ(MessageOf([&] { source->CopyBits(dest.get(), all, all, -1, 0, 0, 0.5f); }),
              "VDib::CopyBits : Alpha blending not yet implemented.");
    EXPECT_EQ(MessageOf([&] { source->CopyBits(nullptr, all, all, -1); }),
              "VDib::CopyBits : Destination DIB nonexistent.");
    VDib bare(4, 4);
    EXPECT_EQ(MessageOf([&] { bare.CopyBits(dest.get(), all, all, -1); }),
              "VDib::CopyBits : Internal source DIB doesn't contain a palette.");
    EXPECT_EQ(MessageOf([&] { source->CopyBits(dest.get(), all, all, -1, 1); }),
              "VDib::CopyBits : Only copy mode srcCopy supported yet.");
    EXPECT_EQ(MessageOf([&] { source->CopyBits(dest.get(), VRect(1, 0, 3, 4), all, -1); }), "");
    EXPECT_EQ(MessageOf([&] { source->CopyBits(dest.get(), VRect(1, 0, 3.5f, 4), all, -1); }),
              "VDib::CopyBits : Source rect out of bounds");
    EXPECT_EQ(MessageOf([&] { source->CopyBits(dest.get(), VRect(NAN, 0, 2, 2), all, -1); }),
              "VDib::CopyBits : Source rect out of bounds");
    EXPECT_EQ(MessageOf([&] { source->CopyBits(dest.get(), all, VRect(0, 0, 2e7f, 4), -1); }),
              "VDib::CopyBits : Rectangle too large.");
}

TEST(CopyBitsTest, EmptyDestinationMeansTheWholeBitmapStretched)
{
    auto source = Numbered(2, 2);
    auto dest = Blank(4, 2);
    source->CopyBits(dest.get(), VRect(), VRect(3, 3, 0, 5), -1);
    EXPECT_EQ(Row(*dest, 0), (std::vector<int>{1, 1, 1, 2}));
    EXPECT_EQ(Row(*dest, 1), (std::vector<int>{11, 11, 11, 12}));
}

TEST(CopyBitsTest, StretchSamplesFollowTheAccumulator)
{
    auto source = Numbered(3, 1);
    auto dest = Blank(2, 1);
    source->CopyBits(dest.get(), VRect(0, 0, 3, 1), VRect(0, 0, 2, 1), -1);
    EXPECT_EQ(Row(*dest, 0), (std::vector<int>{1, 2}));  // 3 onto 2: pixels 0 and 1

    auto two = Numbered(2, 1);
    auto four = Blank(4, 1);
    two->CopyBits(four.get(), VRect(0, 0, 2, 1), VRect(0, 0, 4, 1), -1);
    EXPECT_EQ(Row(*four, 0), (std::vector<int>{1, 1, 1, 2}));  // 2 onto 4: 0, 0, 0, 1
}

TEST(CopyBitsTest, SourceRowsCountFromTheBottom)
{
    auto source = Numbered(2, 3);  // rows y = 0, 1, 2 top-down
    auto dest = Blank(2, 1);
    source->CopyBits(dest.get(), VRect(0, 0, 2, 1), VRect(0, 0, 2, 1), -1);
    EXPECT_EQ(Row(*dest, 0), (std::vector<int>{21, 22}));  // stored row 0 is the bottom line
}

TEST(CopyBitsTest, MirroringStaysInsideTheRectangle)
{
    auto source = Numbered(3, 2);
    auto dest = Blank(6, 4);
    source->CopyBits(dest.get(), VRect(), VRect(2, 1, -3, -2), -1);
    EXPECT_EQ(Row(*dest, 0), (std::vector<int>{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Row(*dest, 1), (std::vector<int>{0, 0, 13, 12, 11, 0}));  // upside down too
    EXPECT_EQ(Row(*dest, 2), (std::vector<int>{0, 0, 3, 2, 1, 0}));
    EXPECT_EQ(Row(*dest, 3), (std::vector<int>{0, 0, 0, 0, 0, 0}));
}

TEST(CopyBitsTest, ClippedPartShowsWhatTheUnclippedCopyShows)
{
    // Stretched and mirrored copies, partly outside a small bitmap, against the same copy
    // into a large bitmap that holds the whole rectangle.
    auto source = MakeDib(13, 7, [](int x, int y) { return uint8_t(1 + x * 7 + y * 31); });
    for (float w : {29.0f, -29.0f, 8.0f, -8.0f}) {
        for (float h : {17.0f, -17.0f, 4.0f}) {
            auto small = Blank(20, 10);
            auto large = Blank(80, 60);
            source->CopyBits(small.get(), VRect(), VRect(-7, -3, w, h), -1);
            source->CopyBits(large.get(), VRect(), VRect(30 - 7, 30 - 3, w, h), -1);
            for (int y = 0; y < 10; ++y)
                for (int x = 0; x < 20; ++x) {
                    bool inside = x < -7 + std::fabs(w) && y < -3 + std::fabs(h);
                    int expected = inside ? large->GetPixelIndex(x + 30, y + 30) : 0;
                    ASSERT_EQ(small->GetPixelIndex(x, y), expected) << w << " " << h << " " << x << "," << y;
                }
        }
    }
}

TEST(CopyBitsTest, MagnifiedPixelStaysVisibleWhenPartlyClipped)
{
    auto source = Numbered(1, 1);
    auto dest = Blank(4, 4);
    source->CopyBits(dest.get(), VRect(), VRect(-6, -6, 10, 10), -1);
    EXPECT_EQ(Row(*dest, 3), (std::vector<int>{1, 1, 1, 1}));
}

TEST(CopyBitsTest, TransparentIndexIsComparedAsAByte)
{
    auto source = MakeDib(4, 1, [](int x, int) { return uint8_t(x == 1 ? 5 : 9); });
    auto dest = MakeDib(4, 1, [](int, int) { return 2; });
    source->CopyBits(dest.get(), 0, 0, 4, 1, 0, 0, 256 + 5);
    EXPECT_EQ(Row(*dest, 0), (std::vector<int>{9, 2, 9, 9}));
}

TEST(CopyBitsTest, FirstCopyGivesAFreshBitmapThePalette)
{
    auto first = MakeDib(2, 2, [](int, int) { return 1; });
    auto second = MakeDib(2, 2, [](int, int) { return 1; });
    second->GetPaletteEntries()[1] = VPaletteEntry{9, 9, 9, 0};
    VDib fresh(2, 2);
    ASSERT_FALSE(fresh.HasPalette());
    first->CopyBits(&fresh, 0, 0, 2, 2, 0, 0, -1);
    EXPECT_TRUE(fresh.HasPalette());
    second->CopyBits(&fresh, 0, 0, 2, 2, 0, 0, -1);
    EXPECT_EQ(fresh.GetPaletteEntries()[1], TestColour(1));
}

TEST(CopyBitsTest, CopyOntoItselfReadsTheOldPixels)
{
    auto dib = Numbered(4, 1);
    dib->CopyBits(dib.get(), VRect(0, 0, 3, 1), VRect(1, 0, 3, 1), -1);
    EXPECT_EQ(Row(*dib, 0), (std::vector<int>{1, 1, 2, 3}));
}

TEST(CopyBitsTest, TransparentCopyFollowsPixelChanges)
{
    // The copy keeps facts about a source's transparent runs; writing the source must drop them.
    auto source = MakeDib(40, 1, [](int x, int) { return uint8_t(x < 20 ? 0 : 7); });
    auto dest = MakeDib(40, 1, [](int, int) { return 3; });
    source->CopyBits(dest.get(), 0, 0, 40, 1, 0, 0, 0);
    EXPECT_EQ(dest->GetPixelIndex(5, 0), 3);
    source->GetBits()[5] = 8;
    source->CopyBits(dest.get(), 0, 0, 40, 1, 0, 0, 0);
    EXPECT_EQ(dest->GetPixelIndex(5, 0), 8);
    source->FillRect(VRect(0, 0, 3, 1), 9);
    source->CopyBits(dest.get(), 0, 0, 40, 1, 0, 0, 0);
    EXPECT_EQ(dest->GetPixelIndex(2, 0), 9);
    source->CopyBits(dest.get(), 0, 0, 40, 1, 0, 0, 7);  // another key: the zeros show now
    EXPECT_EQ(dest->GetPixelIndex(10, 0), 0);
    EXPECT_EQ(dest->GetPixelIndex(25, 0), 7);
}

TEST(CopyBitsTest, RotationBoxesTheTurnedCorners)
{
    VRect box = VDib::CopyBits_Rotation(VRect(0, 0, 10, 20), 1.57079632679f);
    EXPECT_NEAR(box.x, -5, 1e-3);
    EXPECT_NEAR(box.y, 5, 1e-3);
    EXPECT_NEAR(box.width, 20, 1e-3);
    EXPECT_NEAR(box.height, 10, 1e-3);
    VRect turned = VDib::CopyBits_Rotation(VRect(0, 0, 10, 10), 0.785398163f);
    EXPECT_NEAR(turned.width, 14.1421f, 1e-3);
    EXPECT_EQ(MessageOf([] { VDib::CopyBits_Rotation(VRect(0, 0, 4, 4), NAN); }),
              "VDib::CopyBits_Rotation: internal error");

    // The copy stretches the source into the box: rows 3 and 4 around the centre (3, 4).
    auto source = Numbered(2, 2);
    auto dest = Blank(8, 8);
    source->CopyBits(dest.get(), VRect(), VRect(2, 2, 2, 4), -1, 0, 1.57079632679f);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            if (y != 3 && y != 4) {
                EXPECT_EQ(dest->GetPixelIndex(x, y), 0) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(dest->GetPixelIndex(2, 3), 1);
    EXPECT_EQ(dest->GetPixelIndex(3, 4), 12);
}

// ---- randomised comparison with the reference ----

namespace {

struct Case {
    int sourceWidth, sourceHeight, destWidth, destHeight;
    VRect source, dest;
    int key;
};

float Coordinate(std::mt19937& rng, int low, int high, bool fractional)
{
    int v = std::uniform_int_distribution<int>(low, high)(rng);
    if (fractional && rng() % 4 == 0)
        return float(v) + float(rng() % 4) * 0.25f;
    return float(v);
}

Case RandomCase(std::mt19937& rng, int maxSide)
{
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    Case c;
    c.sourceWidth = pick(1, maxSide);
    c.sourceHeight = pick(1, maxSide / 2 + 1);
    c.destWidth = pick(1, maxSide);
    c.destHeight = pick(1, maxSide / 2 + 1);
    const bool fractional = rng() % 5 == 0;

    switch (rng() % 10) {
    case 0:
        c.source = VRect();  // the whole source
        break;
    case 1:  // one pixel too far, or starting outside
        c.source = VRect(float(pick(0, 2)), 0, float(c.sourceWidth), float(c.sourceHeight));
        if (c.source.x == 0) {
            c.source.y = -1;
        }
        break;
    default: {
        int x = pick(0, c.sourceWidth - 1), y = pick(0, c.sourceHeight - 1);
        int w = pick(1, c.sourceWidth - x), h = pick(1, c.sourceHeight - y);
        c.source = VRect(float(x), float(y), float(rng() % 6 == 0 ? -w : w), float(rng() % 6 == 0 ? -h : h));
        if (fractional)
            c.source.width = std::copysign(std::fabs(c.source.width) - 0.5f, c.source.width);
    }
    }

    const int sw = c.source.IsEmpty() ? c.sourceWidth : int(std::fabs(c.source.width));
    const int sh = c.source.IsEmpty() ? c.sourceHeight : int(std::fabs(c.source.height));
    auto extent = [&](int sourceExtent, int destExtent) {
        float e;
        switch (rng() % 4) {
        case 0:
            e = float(sourceExtent);  // not stretched
            break;
        case 1:
            e = float(pick(1, std::max(1, sourceExtent / 2 + 1)));  // shrunk
            break;
        default:
            e = Coordinate(rng, 1, 3 * destExtent, fractional);
        }
        return rng() % 3 == 0 ? -e : e;
    };
    c.dest.width = extent(sw, c.destWidth);
    c.dest.height = extent(sh, c.destHeight);
    if (rng() % 25 == 0)
        c.dest.width = 0;
    c.dest.x = Coordinate(rng, -int(std::fabs(c.dest.width)) - 2, c.destWidth + 2, fractional);
    c.dest.y = Coordinate(rng, -int(std::fabs(c.dest.height)) - 2, c.destHeight + 2, fractional);
    const int kind = int(rng() % 8);
    c.key = kind < 3 ? -1 : kind == 3 ? 256 + int(rng() % 256) : int(rng() % 4);
    return c;
}

// Rows of short and long runs of a few indices, so transparent runs come in all lengths.
std::unique_ptr<VDib> RandomBitmap(std::mt19937& rng, int width, int height)
{
    std::vector<uint8_t> pixels(size_t(width) * size_t(height));
    size_t i = 0;
    while (i < pixels.size()) {
        size_t run = 1 + rng() % (rng() % 3 == 0 ? 40 : 6);
        uint8_t value = uint8_t(rng() % 3 == 0 ? rng() % 256 : rng() % 4);
        for (; run > 0 && i < pixels.size(); --run)
            pixels[i++] = value;
    }
    return MakeDib(width, height, [&](int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; });
}

void CompareWithReference(int cases, int maxSide, unsigned seed)
{
    std::mt19937 rng(seed);
    for (int n = 0; n < cases; ++n) {
        Case c = RandomCase(rng, maxSide);
        auto source = RandomBitmap(rng, c.sourceWidth, c.sourceHeight);
        auto dest = RandomBitmap(rng, c.destWidth, c.destHeight);
        // Several copies from one source, some after its pixels changed.
        for (int repeat = 0; repeat < 3; ++repeat) {
            if (repeat == 2)
                source->GetBits()[rng() % size_t(source->GetStride() * source->GetHeight())] = uint8_t(rng() % 4);
            std::vector<uint8_t> expected = Bytes(*dest);
            std::string expectedMessage =
                ReferenceCopy(*source, expected, c.destWidth, c.destHeight, c.source, c.dest, c.key);
            std::string message = MessageOf([&] { source->CopyBits(dest.get(), c.source, c.dest, c.key); });
            ASSERT_EQ(message, expectedMessage) << "case " << n;
            ASSERT_EQ(Bytes(*dest), expected)
                << "case " << n << " source " << c.sourceWidth << "x" << c.sourceHeight << " ("
                << c.source.x << "," << c.source.y << "," << c.source.width << "," << c.source.height
                << ") dest " << c.destWidth << "x" << c.destHeight << " (" << c.dest.x << ","
                << c.dest.y << "," << c.dest.width << "," << c.dest.height << ") key " << c.key
                << " kernels " << VBlitRows::KernelSet();
        }
    }
}

}  // namespace

TEST(CopyBitsTest, MatchesTheReferenceOnRandomSmallCopies)
{
    for (const char* set : {"avx2", "sse2", "portable"}) {
        if (!VBlitRows::UseKernelSet(set))
            continue;
        CompareWithReference(3000, 48, 1234);
    }
    VBlitRows::UseKernelSet("avx2") || VBlitRows::UseKernelSet("sse2");
}

TEST(CopyBitsTest, MatchesTheReferenceOnRandomWideCopies)
{
    for (const char* set : {"avx2", "sse2", "portable"}) {
        if (!VBlitRows::UseKernelSet(set))
            continue;
        CompareWithReference(150, 300, 99);
    }
    VBlitRows::UseKernelSet("avx2") || VBlitRows::UseKernelSet("sse2");
}

TEST(CopyBitsTest, WideRunLoopFollowsTheChosenKernelSet)
{
    // The whole-row loop asks this on every copy instead of comparing names; a stale answer
    // would run wide instructions after a switch to a narrower set.
    ASSERT_TRUE(VBlitRows::UseKernelSet("portable"));
    EXPECT_FALSE(VBlitRows::Avx2Kernels());
    if (VBlitRows::UseKernelSet("avx2"))
        EXPECT_TRUE(VBlitRows::Avx2Kernels());
    if (VBlitRows::UseKernelSet("sse2"))
        EXPECT_FALSE(VBlitRows::Avx2Kernels());
    VBlitRows::UseKernelSet("avx2") || VBlitRows::UseKernelSet("sse2");
}

TEST(CopyBitsTest, SpanCopyWritesExactlyItsBytes)
{
    // Every length the piecewise copy distinguishes, at every alignment of a 16-byte piece,
    // with guard bytes on both sides.
    std::vector<uint8_t> source(700), dest(720);
    for (size_t i = 0; i < source.size(); ++i)
        source[i] = uint8_t(i * 37 + 1);
    for (size_t count = 0; count <= 600; count += count < 40 ? 1 : 13) {
        for (size_t offset = 0; offset < 16; offset += 5) {
            std::fill(dest.begin(), dest.end(), uint8_t(0xEE));
            VBlitRows::CopySpan(dest.data() + 8 + offset, source.data() + offset, count);
            for (size_t i = 0; i < dest.size(); ++i) {
                bool inside = i >= 8 + offset && i < 8 + offset + count;
                ASSERT_EQ(dest[i], inside ? source[i - 8] : 0xEE) << count << " " << offset << " " << i;
            }
        }
    }
}

TEST(CopyBitsTest, WholeSpritesMatchTheReference)
{
    // The commonest copy of a frame: a whole sprite, 1:1 and transparent, fully inside the
    // destination, upright or upside down. Rows mix long opaque runs of every length with
    // rows too broken up to copy run by run.
    std::mt19937 rng(7);
    for (const char* set : {"avx2", "sse2", "portable"}) {
        if (!VBlitRows::UseKernelSet(set))
            continue;
        for (int n = 0; n < 60; ++n) {
            const int width = 1 + int(rng() % 300), height = 1 + int(rng() % 12);
            std::vector<uint8_t> pixels(size_t(width) * size_t(height));
            for (int y = 0; y < height; ++y) {
                const bool broken = rng() % 4 == 0;
                for (int x = 0; x < width;) {
                    int run = broken ? 1 + int(rng() % 3) : 1 + int(rng() % 90);
                    uint8_t value = uint8_t(rng() % 2 ? 0 : 1 + rng() % 200);
                    for (; run > 0 && x < width; --run, ++x)
                        pixels[size_t(y) * size_t(width) + size_t(x)] = value;
                }
            }
            auto sprite = MakeDib(width, height, [&](int x, int y) {
                return pixels[size_t(y) * size_t(width) + size_t(x)];
            });
            auto dest = RandomBitmap(rng, width + 9, height + 4);
            const float x = float(rng() % 10), y = float(rng() % 5);
            const float h = rng() % 2 ? float(height) : -float(height);
            const VRect place(x, y, float(width), h);
            std::vector<uint8_t> expected = Bytes(*dest);
            ReferenceCopy(*sprite, expected, width + 9, height + 4, VRect(), place, 0);
            sprite->CopyBits(dest.get(), VRect(), place, 0);
            ASSERT_EQ(Bytes(*dest), expected) << set << " " << width << "x" << height << " at "
                                              << x << "," << y << " height " << h;
        }
    }
    VBlitRows::UseKernelSet("avx2") || VBlitRows::UseKernelSet("sse2");
}
