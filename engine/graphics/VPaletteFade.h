#pragma once

#include "engine/graphics/VDibFormat.h"

// The steps of the palette fade between two pictures: 64 steps down to black, then 64 up
// from black to the saved colours.
namespace VPaletteFade {

constexpr int kSteps = 64;

// One step towards black: every channel falls by 4, not below 0.
void Darken(VPaletteEntry* entries);
// Fade-in step `step` (0 .. kSteps - 1) of the saved colours: with o = 254 - 4 x step, a
// channel above o becomes its saved value minus o, every other is 0.
void Lighten(const VPaletteEntry* saved, int step, VPaletteEntry* entries);
void Black(VPaletteEntry* entries);

}  // namespace VPaletteFade
