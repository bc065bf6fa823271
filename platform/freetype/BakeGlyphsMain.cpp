// zibolt-glyphs OUT: renders the balloons' face with FreeType at the heights the balloons use,
// as the native build draws it, and writes the glyph atlas that the web page draws text from.

#include <cstdio>
#include <fstream>
#include <string>

#include "engine/pixies/VBalloon.h"
#include "engine/stream/VException.h"
#include "platform/freetype/VFreeTypeTextRenderer.h"
#include "platform/freetype/VGlyphAtlas.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: zibolt-glyphs OUT\n", stderr);
        return 2;
    }
    try {
        VFreeTypeTextRenderer renderer;
        VFreeTypeFont font(renderer.FontFor(VTextFont().face));
        const VGlyphSets sets{font.GlyphsFor(kBalloonFontHeight),
                              font.GlyphsFor(kBalloonPreviewFontHeight)};
        const std::string bytes = WriteGlyphAtlas(sets);
        std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        if (!out.flush())
            throw VException(std::string("Cannot write ") + argv[1]);
    } catch (const VException& e) {
        std::fprintf(stderr, "zibolt-glyphs: %s\n", e.GetMessage().c_str());
        return 1;
    }
    return 0;
}
