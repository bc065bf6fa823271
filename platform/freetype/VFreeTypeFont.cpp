#include "platform/freetype/VFreeTypeFont.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <cstdlib>

#include "engine/stream/VException.h"
#include "platform/freetype/VCodePage.h"

namespace {

constexpr std::size_t kMaxCachedHeights = 16;

bool IsControl(int byte)
{
    return byte < 0x20 || byte == 0x7F;
}

// Ascent and descent in font units as the platform's fonts size their cells: the OS/2
// "win" metrics where the font has them, else the horizontal header's.
void CellMetrics(FT_Face face, double& ascent, double& descent)
{
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        ascent = os2->usWinAscent;
        descent = os2->usWinDescent;
        return;
    }
    ascent = face->ascender;
    descent = -face->descender;
    if (ascent + descent <= 0) {
        ascent = face->units_per_EM * 0.8;
        descent = face->units_per_EM * 0.2;
    }
}

}  // namespace

VFreeTypeFont::VFreeTypeFont(const VFontFile& file) : file_(file)
{
    if (FT_Init_FreeType(&library_) != 0)
        throw VException("Cannot start the font engine");
    if (FT_New_Face(library_, file.path.c_str(), file.index, &face_) != 0) {
        FT_Done_FreeType(library_);
        throw VException("Cannot open font file " + file.path);
    }
    if (!FT_IS_SCALABLE(face_) || face_->units_per_EM == 0) {
        FT_Done_Face(face_);
        FT_Done_FreeType(library_);
        throw VException("Font file " + file.path + " is not a scalable font");
    }
    FT_Select_Charmap(face_, FT_ENCODING_UNICODE);
}

VFreeTypeFont::~VFreeTypeFont()
{
    FT_Done_Face(face_);
    FT_Done_FreeType(library_);
}

std::shared_ptr<const VGlyphSet> VFreeTypeFont::GlyphsFor(int32_t height)
{
    auto it = sets_.find(height);
    if (it != sets_.end())
        return it->second;
    if (sets_.size() >= kMaxCachedHeights)
        sets_.clear();
    std::shared_ptr<const VGlyphSet> set = Render(height);
    sets_[height] = set;
    return set;
}

std::shared_ptr<VGlyphSet> VFreeTypeFont::Render(int32_t height)
{
    double ascent = 0, descent = 0;
    CellMetrics(face_, ascent, descent);
    // The em is scaled so that ascent plus descent fill the requested cell.
    double em = height * double(face_->units_per_EM) / (ascent + descent);
    if (FT_Set_Char_Size(face_, 0, FT_F26Dot6(std::lround(em * 64)), 72, 72) != 0)
        throw VException("Cannot size font " + file_.path);

    auto set = std::make_shared<VGlyphSet>();
    set->height = height;
    set->ascent = int32_t(std::lround(height * ascent / (ascent + descent)));
    for (int byte = 0; byte < 256; ++byte) {
        if (IsControl(byte))
            continue;  // line breaks and other controls take no room on a line
        FT_UInt index = FT_Get_Char_Index(face_, CodePointOfByte(static_cast<unsigned char>(byte)));
        if (FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP) != 0)
            continue;
        FT_GlyphSlot slot = face_->glyph;
        set->advances[byte] = int32_t((slot->advance.x + 32) >> 6);
        const FT_Bitmap& bitmap = slot->bitmap;
        if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.width == 0 || bitmap.rows == 0)
            continue;
        VGlyph& glyph = set->glyphs[byte];
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.width = int32_t(bitmap.width);
        glyph.rows = int32_t(bitmap.rows);
        glyph.coverage.resize(std::size_t(glyph.width) * std::size_t(glyph.rows));
        for (int32_t row = 0; row < glyph.rows; ++row) {
            const unsigned char* source = bitmap.pitch >= 0
                ? bitmap.buffer + std::ptrdiff_t(row) * bitmap.pitch
                : bitmap.buffer + std::ptrdiff_t(glyph.rows - 1 - row) * -bitmap.pitch;
            for (int32_t column = 0; column < glyph.width; ++column) {
                unsigned value = source[column];
                // Coverage may come in fewer than 256 levels.
                if (bitmap.num_grays > 1 && bitmap.num_grays != 256)
                    value = value * 255 / unsigned(bitmap.num_grays - 1);
                glyph.coverage[std::size_t(row) * glyph.width + column] = uint8_t(value);
            }
        }
    }
    return set;
}
