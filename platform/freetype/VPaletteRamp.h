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

    VPaletteRamp(const VPaletteEntry* palette, int32_t background, int32_t text);

    // The entry for a coverage of 0 (background) to 255 (text).
    uint8_t ForCoverage(uint8_t coverage) const { return steps_[(coverage * 15 + 127) / 255]; }
    uint8_t Background() const { return steps_[0]; }
    uint8_t Text() const { return steps_[kSteps - 1]; }

private:
    std::array<uint8_t, kSteps> steps_{};
};
