#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/graphics/VPolygon.h"

class VDib;

// A text rectangle in whole pixels, edges as the platform's text calls take them: right and
// bottom lie just outside.
struct VTextBox {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool operator==(const VTextBox& other) const = default;
};

struct VTextExtent {
    int32_t cx = 0;
    int32_t cy = 0;
    bool operator==(const VTextExtent& other) const = default;
};

// The font a painter draws with. Height is the cell height (ascent plus descent) in pixels.
struct VTextFont {
    std::string face = "Comic Sans MS";
    int32_t height = 19;
    int32_t weight = 400;
};

// Fonts are asked for within these heights; anything else is refused.
constexpr int32_t kMinFontHeight = 1;
constexpr int32_t kMaxFontHeight = 1024;

// One font on one bitmap for the span of one drawing. Text is in the single-byte code page of
// the scene files. Colours are those of a fresh device context, matched to the bitmap's
// palette by nearest colour: a white fill with a black one-pixel outline, black text on
// opaque white.
class VTextPainter {
public:
    virtual ~VTextPainter() = default;

    // Extent of `text` on one line, all its bytes (line breaks included) measured as they stand.
    virtual VTextExtent MeasureLine(std::string_view text) = 0;
    // Word-wrapped layout in the width of `box`: lines break at LF and between words; a word
    // wider than the box widens it. Returns the box with its bottom set below the last line
    // and its right edge moved out for such a word.
    virtual VTextBox MeasureWrapped(std::string_view text, VTextBox box) = 0;
    // Draws `text` word-wrapped as MeasureWrapped lays it out, each line centred across the
    // box and the first line at the box's top (never centred vertically); lines beyond the
    // box's bottom are cut there, and nothing lands outside the box.
    virtual void DrawWrapped(std::string_view text, const VTextBox& box) = 0;
    // Fills the polygon white and outlines it black, closing it from the last to the first point.
    virtual void Polygon(const VPoint* points, std::size_t count) = 0;
};

// Hands out painters. The backend installs one at start-up; tests install their own.
class VTextRenderer {
public:
    virtual ~VTextRenderer() = default;

    // A painter on `target` with `font` selected; raises VParamException for a font height
    // outside [kMinFontHeight, kMaxFontHeight].
    virtual std::unique_ptr<VTextPainter> Begin(VDib& target, const VTextFont& font) = 0;
};

// The installed renderer; raises VException "No text renderer installed" when there is none.
VTextRenderer& GetTextRenderer();
bool HasTextRenderer();
// Installs `renderer` (not owned); nullptr removes it.
void SetTextRenderer(VTextRenderer* renderer);

// Refuses a font height outside the allowed range, naming it.
void CheckFontHeight(int32_t height);
