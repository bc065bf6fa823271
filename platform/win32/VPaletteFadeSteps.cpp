#include "platform/win32/VPaletteFadeSteps.h"

namespace {

uint8_t Darker(uint8_t value) { return value > 4 ? uint8_t(value - 4) : uint8_t(0); }
uint8_t Above(uint8_t value, int o) { return value > o ? uint8_t(value - o) : uint8_t(0); }

}  // namespace

void DarkenStep(VPaletteEntry* entries)
{
    for (int i = 0; i < kPaletteSize; ++i) {
        entries[i].blue = Darker(entries[i].blue);
        entries[i].green = Darker(entries[i].green);
        entries[i].red = Darker(entries[i].red);
    }
}

void BrightenTo(VPaletteEntry* entries, const VPaletteEntry* saved, int o)
{
    for (int i = 0; i < kPaletteSize; ++i) {
        entries[i].blue = Above(saved[i].blue, o);
        entries[i].green = Above(saved[i].green, o);
        entries[i].red = Above(saved[i].red, o);
    }
}

void Blacken(VPaletteEntry* entries)
{
    for (int i = 0; i < kPaletteSize; ++i)
        entries[i].blue = entries[i].green = entries[i].red = 0;
}
