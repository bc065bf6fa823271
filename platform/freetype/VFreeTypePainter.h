#pragma once

#include <memory>

#include "engine/graphics/VTextRenderer.h"
#include "platform/freetype/VFreeTypeFont.h"
#include "platform/freetype/VPaletteRamp.h"

// Text and polygons on one bitmap with one glyph set; colours are found in the bitmap's
// palette when the painter is made.
class VFreeTypePainter : public VTextPainter {
public:
    VFreeTypePainter(VDib& target, std::shared_ptr<const VGlyphSet> glyphs);

    VTextExtent MeasureLine(std::string_view text) override;
    VTextBox MeasureWrapped(std::string_view text, VTextBox box) override;
    void DrawWrapped(std::string_view text, const VTextBox& box) override;
    void Polygon(const VPoint* points, std::size_t count) override;

private:
    // One laid-out line with its cell's top-left corner at (x, y); clipped to `clip`.
    void DrawLine(std::string_view line, int64_t x, int64_t y, int64_t width,
                  const VTextBox& clip);

    VDib& target_;
    std::shared_ptr<const VGlyphSet> glyphs_;
    VPaletteRamp ramp_;
    std::vector<uint8_t> coverage_;  // scratch for one line
};
