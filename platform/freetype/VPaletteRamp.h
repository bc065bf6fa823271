#pragma once

#include <array>
#include <cstdint>

#include "engine/graphics/VDibFormat.h"

// Index of the palette entry nearest to `colour` (a colour value, red in the low byte) by
// squared RGB distance; the first of equals wins.
uint8_t NearestPaletteIndex(const VPaletteEntry* palette, int32_t colour);

// Sixteen steps from a background colour (step 0) to a text colour (step 15), each the
// nearest palette entry of the blend, so anti-aliased edges work with any palette.
class VPaletteRamp {
public:
    static constexpr int kSteps = 16;
    // Coverage from which a pixel is painted in the full text colour. The balloon face's
    // strokes are slightly under a pixel wide at balloon sizes, so no pixel is ever wholly
    // covered; read linearly, the strokes came out dark grey with hardly a black pixel.
    // Counting a mostly covered pixel as ink gives solid strokes and keeps the greys for the
    // edges, where the coverage is partial.
    static constexpr int kSolidCoverage = 192;

    VPaletteRamp(const VPaletteEntry* palette, int32_t background, int32_t text);

    // The entry for a coverage of 0 (background) to 255 (wholly covered).
    uint8_t ForCoverage(uint8_t coverage) const { return byCoverage_[coverage]; }
    uint8_t Background() const { return steps_[0]; }
    uint8_t Text() const { return steps_[kSteps - 1]; }

private:
    std::array<uint8_t, kSteps> steps_{};
    std::array<uint8_t, 256> byCoverage_{};
};
