#include <gtest/gtest.h>

#include "TextTestSupport.h"
#include "engine/stream/VException.h"
#include "platform/freetype/VFreeTypeTextRenderer.h"
#include "platform/freetype/VGlyphAtlas.h"

namespace {

VTextFont Font(int height)
{
    VTextFont font;
    font.height = height;
    return font;
}

std::string MessageOf(const std::string& bytes)
{
    try {
        ReadGlyphAtlas(bytes, "Balloon.glyphs");
    } catch (const VException& e) {
        return e.GetMessage();
    }
    return "";
}

// Text drawn from a stored atlas is the FreeType renderer's text, pixel for pixel: the web
// page's balloons are the native ones.
TEST(GlyphAtlas, DrawsWhatFreeTypeDraws)
{
    VFreeTypeTextRenderer freeType;
    VFreeTypeFont font(freeType.FontFor(VTextFont().face));
    VAtlasTextRenderer atlas(ReadGlyphAtlas(WriteGlyphAtlas({font.GlyphsFor(19)}), "test"));

    const char* text = "Hello there, how are you today?\nFine \xe9t\xe9!\n";
    auto want = FilledDib(300, 200, 40);
    auto got = FilledDib(300, 200, 40);
    const VTextBox box{30, 20, 260, 180};
    auto native = freeType.Begin(*want, Font(19));
    auto stored = atlas.Begin(*got, Font(19));
    EXPECT_EQ(stored->MeasureLine(text), native->MeasureLine(text));
    EXPECT_EQ(stored->MeasureWrapped(text, {30, 20, 130, 20}), native->MeasureWrapped(text, {30, 20, 130, 20}));
    native->DrawWrapped(text, box);
    stored->DrawWrapped(text, box);
    int differing = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            differing += want->GetPixelIndex(x, y) != got->GetPixelIndex(x, y);
    EXPECT_EQ(differing, 0);

    try {
        atlas.Begin(*got, Font(32));
        ADD_FAILURE() << "a height the atlas lacks was drawn";
    } catch (const VParamException& e) {
        EXPECT_EQ(e.GetMessage(), "No glyphs for text 32 pixels high; the glyph atlas holds 19.");
    }
}

TEST(GlyphAtlas, DamagedAtlasesNameTheirFault)
{
    VFreeTypeTextRenderer freeType;
    VFreeTypeFont font(freeType.FontFor(VTextFont().face));
    const std::string whole = WriteGlyphAtlas({font.GlyphsFor(19)});
    EXPECT_EQ(MessageOf(whole), "");
    EXPECT_EQ(MessageOf(whole.substr(0, whole.size() - 1)), "Glyph atlas Balloon.glyphs is damaged: it ends early.");
    EXPECT_EQ(MessageOf(whole + "x"), "Glyph atlas Balloon.glyphs is damaged: there are bytes after its last size.");
    EXPECT_EQ(MessageOf("GIF89a"), "Glyph atlas Balloon.glyphs is damaged: it ends early.");
    EXPECT_EQ(MessageOf("NOTGLYPHS and more"),
              "Glyph atlas Balloon.glyphs is damaged: it does not start with VGLYPHS1.");
    // A size that would ask for gigabytes is refused before anything is allocated.
    std::string huge = whole;
    huge[8 + 4 + 8 + 4 * 256 + 8] = '\x7f';  // first glyph's width, low byte
    huge[8 + 4 + 8 + 4 * 256 + 8 + 3] = '\x7f';  // ... and high byte
    EXPECT_EQ(MessageOf(huge),
              "Glyph atlas Balloon.glyphs is damaged: a glyph's width 2130706559 is out of range.");
}

}  // namespace
