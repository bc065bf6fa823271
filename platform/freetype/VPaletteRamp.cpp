#include "platform/freetype/VPaletteRamp.h"

#include <algorithm>
#include <cstddef>

namespace {

int Channel(int32_t colour, int shift)
{
    return (colour >> shift) & 0xFF;
}

}  // namespace

uint8_t NearestPaletteIndex(const VPaletteEntry* palette, int32_t colour)
{
    int red = Channel(colour, 0), green = Channel(colour, 8), blue = Channel(colour, 16);
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < kPaletteSize; ++i) {
        long dr = palette[i].red - red, dg = palette[i].green - green, db = palette[i].blue - blue;
        long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
            if (distance == 0)
                break;
        }
    }
    return uint8_t(best);
}

VPaletteRamp::VPaletteRamp(const VPaletteEntry* palette, int32_t background, int32_t text)
{
    for (int k = 0; k < kSteps; ++k) {
        int32_t blend = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            int channel = (Channel(background, shift) * (kSteps - 1 - k) +
                           Channel(text, shift) * k + (kSteps - 1) / 2) / (kSteps - 1);
            blend |= channel << shift;
        }
        steps_[k] = NearestPaletteIndex(palette, blend);
    }
    for (int coverage = 0; coverage < 256; ++coverage) {
        int step = (std::min(coverage, kSolidCoverage) * (kSteps - 1) + kSolidCoverage / 2) /
                   kSolidCoverage;
        byCoverage_[size_t(coverage)] = steps_[size_t(step)];
    }
}
