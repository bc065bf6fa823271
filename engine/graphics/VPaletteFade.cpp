#include "engine/graphics/VPaletteFade.h"

#include <cstdint>

namespace VPaletteFade {

namespace {

uint8_t Down(uint8_t value) { return value > 4 ? uint8_t(value - 4) : uint8_t(0); }

uint8_t Up(uint8_t saved, int offset) { return saved > offset ? uint8_t(saved - offset) : uint8_t(0); }

}  // namespace

void Darken(VPaletteEntry* entries)
{
    for (int i = 0; i < kPaletteSize; ++i) {
        entries[i].red = Down(entries[i].red);
        entries[i].green = Down(entries[i].green);
        entries[i].blue = Down(entries[i].blue);
    }
}

void Lighten(const VPaletteEntry* saved, int step, VPaletteEntry* entries)
{
    const int offset = 254 - 4 * step;
    for (int i = 0; i < kPaletteSize; ++i) {
        entries[i].red = Up(saved[i].red, offset);
        entries[i].green = Up(saved[i].green, offset);
        entries[i].blue = Up(saved[i].blue, offset);
    }
}

void Black(VPaletteEntry* entries)
{
    for (int i = 0; i < kPaletteSize; ++i) {
        entries[i].red = 0;
        entries[i].green = 0;
        entries[i].blue = 0;
    }
}

}  // namespace VPaletteFade
