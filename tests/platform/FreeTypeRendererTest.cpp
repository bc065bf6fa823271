#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "TextTestSupport.h"
#include "engine/stream/VException.h"
#include "platform/freetype/VCodePage.h"
#include "platform/freetype/VFreeTypeTextRenderer.h"
#include "platform/freetype/VPaletteRamp.h"

namespace {

VFreeTypeTextRenderer& Renderer()
{
    static VFreeTypeTextRenderer renderer;
    return renderer;
}

VTextFont Font(int height)
{
    VTextFont font;
    font.height = height;
    return font;
}

template <typename F>
std::string MessageOf(F&& body)
{
    try {
        body();
    } catch (const VException& e) {
        return e.GetMessage();
    }
    return "";
}

TEST(FreeTypeText, FindsTheBalloonFaceOrAStandIn)
{
    const VFontFile& file = Renderer().FontFor("Comic Sans MS");
    EXPECT_FALSE(file.path.empty());
    if (!FindFontFamily("Comic Sans MS").path.empty()) {
        EXPECT_EQ(file.family, "Comic Sans MS");
    } else if (!FindFontFamily("Comic Neue").path.empty()) {
        EXPECT_EQ(file.family, "Comic Neue");
    }
    EXPECT_TRUE(FindFontFamily("No Such Family 4711").path.empty())
        << "a stand-in does not count as the family";
}

TEST(FreeTypeText, MeasuresArePositiveAndGrowWithTheText)
{
    auto dib = FilledDib(100, 100, 40);
    auto small = Renderer().Begin(*dib, Font(19));
    auto large = Renderer().Begin(*dib, Font(32));
    VTextExtent a = small->MeasureLine("A");
    EXPECT_GT(a.cx, 0);
    EXPECT_EQ(a.cy, 19);
    EXPECT_GT(small->MeasureLine("Hello there").cx, small->MeasureLine("Hello").cx);
    EXPECT_EQ(small->MeasureLine("Hello\n").cx, small->MeasureLine("Hello").cx)
        << "line breaks take no room";
    EXPECT_GT(large->MeasureLine("Hello").cx, small->MeasureLine("Hello").cx);
    EXPECT_EQ(large->MeasureLine("Hello").cy, 32);
    EXPECT_GT(small->MeasureLine("\xE9\x80").cx, 0) << "code page letters have glyphs";
    EXPECT_EQ(small->MeasureLine("").cx, 0);

    EXPECT_EQ(MessageOf([&] { Renderer().Begin(*dib, Font(0)); }), "Font height 0 out of range");
    EXPECT_NE(MessageOf([&] { Renderer().Begin(*dib, Font(kMaxFontHeight + 1)); }), "");
}

TEST(FreeTypeText, WrappingKeepsInsideTheWidth)
{
    auto dib = FilledDib(100, 100, 40);
    auto painter = Renderer().Begin(*dib, Font(19));
    const std::string sentence = "The quick brown fox jumps over the lazy dog";
    VTextBox wrapped = painter->MeasureWrapped(sentence, {10, 5, 130, 5});
    EXPECT_EQ(wrapped.left, 10);
    EXPECT_EQ(wrapped.top, 5);
    EXPECT_EQ(wrapped.right, 130) << "no word is wider than the box";
    EXPECT_GT(wrapped.Height(), 19);
    EXPECT_EQ(wrapped.Height() % 19, 0);
    VTextBox oneLine = painter->MeasureWrapped(sentence, {0, 0, 10000, 0});
    EXPECT_EQ(oneLine.Height(), 19);
    EXPECT_EQ(painter->MeasureWrapped("two\nlines\n", {0, 0, 10000, 0}).Height(), 38);

    const std::string word = "Incomprehensibilities";
    VTextBox widened = painter->MeasureWrapped(word, {0, 0, 20, 0});
    EXPECT_EQ(widened.right, painter->MeasureLine(word).cx);
}

TEST(FreeTypeText, DrawnTextIsGreyCentredAcrossFromTheTopAndInsideItsBox)
{
    auto dib = FilledDib(300, 200, 40);
    const VTextBox box{50, 40, 200, 120};
    Renderer().Begin(*dib, Font(19))->DrawWrapped("Hello there, how are you today?\n", box);

    int black = 0, white = 0, greys = 0;
    int inkLeft = 300, inkRight = -1, inkTop = 200, inkBottom = -1;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x) {
            int index = dib->GetPixelIndex(x, y);
            bool inside = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
            if (!inside) {
                ASSERT_EQ(index, 40) << "drawn outside at " << x << "," << y;
                continue;
            }
            if (index == 40)
                continue;
            ASSERT_TRUE(IsGrey(*dib, index)) << "index " << index << " at " << x << "," << y;
            black += index == 0;
            white += index == 31;
            greys += index > 0 && index < 31;
            if (index < 16) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
            }
        }
    EXPECT_GT(black, 20);
    EXPECT_GT(white, 200) << "the text stands on opaque white";
    EXPECT_GT(greys, 20) << "glyph edges are smoothed";
    EXPECT_NEAR((inkLeft + inkRight) / 2.0, (box.left + box.right) / 2.0, 6);
    EXPECT_GE(inkTop, box.top);
    EXPECT_LT(inkTop, box.top + 8) << "the first line starts at the top, not centred";
    EXPECT_GT(inkBottom - inkTop, 19) << "two lines in that width";
    EXPECT_LT(inkBottom, box.top + 2 * 19 + 8);

    // A balloon ending in a blank line is measured without it, so its box holds one line
    // fewer than the text: the blank line falls off the bottom, the first line stays whole.
    auto plain = FilledDib(120, 60, 40);
    auto blank = FilledDib(120, 60, 40);
    const VTextBox oneLine{10, 10, 110, 10 + 19};
    Renderer().Begin(*plain, Font(19))->DrawWrapped("Hey", oneLine);
    Renderer().Begin(*blank, Font(19))->DrawWrapped("Hey\n\n", oneLine);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(blank->GetPixelIndex(x, y), plain->GetPixelIndex(x, y)) << x << "," << y;

    // Text larger than its box is cut at the box.
    auto small = FilledDib(100, 60, 40);
    Renderer().Begin(*small, Font(32))->DrawWrapped("Incomprehensibilities", {10, 10, 40, 30});
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x) {
            if (!(x >= 10 && x < 40 && y >= 10 && y < 30)) {
                ASSERT_EQ(small->GetPixelIndex(x, y), 40) << x << "," << y;
            }
        }
}

TEST(FreeTypeText, ColoursAreTheNearestEntriesOfAnyPalette)
{
    auto dib = FilledDib(20, 20, 50);
    VPaletteEntry* colours = dib->GetPaletteEntries();
    colours[0] = VPaletteEntry{0, 0, 90, 0};
    colours[31] = VPaletteEntry{0, 90, 0, 0};
    colours[77] = VPaletteEntry{2, 1, 3, 0};
    colours[200] = VPaletteEntry{250, 252, 251, 0};
    const VPoint box[] = {{2, 2}, {12, 2}, {12, 12}, {2, 12}};
    Renderer().Begin(*dib, Font(19))->Polygon(box, 4);
    EXPECT_EQ(dib->GetPixelIndex(6, 6), 200) << "white fill";
    EXPECT_EQ(dib->GetPixelIndex(2, 6), 77) << "black outline";
    EXPECT_EQ(dib->GetPixelIndex(12, 12), 77);
    EXPECT_EQ(dib->GetPixelIndex(15, 15), 50);

    VPaletteRamp ramp(colours, 0xFFFFFF, 0);
    EXPECT_EQ(ramp.Background(), 200);
    EXPECT_EQ(ramp.Text(), 77);
    EXPECT_EQ(ramp.ForCoverage(0), 200);
    EXPECT_EQ(ramp.ForCoverage(255), 77);
}

TEST(FreeTypeText, MostlyCoveredPixelsAreSolidInkAndEdgesGrey)
{
    // Strokes of balloon text cover a pixel by 80 to 95 %; those must be the text colour,
    // and partial coverage must still step through the greys, darker as it grows.
    auto dib = FilledDib(4, 4, 0);
    VPaletteRamp ramp(dib->GetPaletteEntries(), 0xFFFFFF, 0);
    for (int coverage = VPaletteRamp::kSolidCoverage; coverage < 256; ++coverage)
        EXPECT_EQ(ramp.ForCoverage(uint8_t(coverage)), 0) << coverage;
    EXPECT_EQ(ramp.ForCoverage(215), 0);
    EXPECT_EQ(ramp.ForCoverage(5), 31) << "a faint fringe stays white";
    int previous = 31, distinct = 0;
    for (int coverage = 0; coverage < VPaletteRamp::kSolidCoverage; ++coverage) {
        int index = ramp.ForCoverage(uint8_t(coverage));
        EXPECT_LE(index, previous) << coverage;
        distinct += index != previous;
        previous = index;
    }
    EXPECT_GE(distinct, 12) << "a smooth edge";
}

TEST(FreeTypeText, FontFilesAndCodePage)
{
    VFontFile dejaVu = FindFontFamily("DejaVu Sans");
    if (!dejaVu.path.empty()) {
        VFreeTypeTextRenderer fixed(dejaVu);
        EXPECT_EQ(fixed.FontFor("Comic Sans MS").path, dejaVu.path);
        auto dib = FilledDib(10, 10, 0);
        EXPECT_GT(fixed.Begin(*dib, Font(19))->MeasureLine("Hi").cx, 0);
    }
    EXPECT_EQ(MessageOf([] { VFreeTypeTextRenderer bad(VFontFile{"/nonexistent/font.ttf", 0, ""}); }),
              "Cannot open font file /nonexistent/font.ttf");
    const std::string junk = ::testing::TempDir() + "junk-font.ttf";
    std::ofstream(junk) << "this is not a font";
    EXPECT_EQ(MessageOf([&] { VFreeTypeTextRenderer bad(VFontFile{junk, 0, ""}); }),
              "Cannot open font file " + junk);

    EXPECT_EQ(CodePointOfByte('A'), uint32_t('A'));
    EXPECT_EQ(CodePointOfByte(0x80), 0x20ACu);
    EXPECT_EQ(CodePointOfByte(0x93), 0x201Cu);
    EXPECT_EQ(CodePointOfByte(0xE9), 0xE9u);
}

}  // namespace
