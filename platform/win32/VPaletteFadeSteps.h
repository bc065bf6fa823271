#pragma once

#include "engine/graphics/VDibFormat.h"

// The scene-change fade works on a bitmap's colour table only, 64 steps each way.
constexpr int kFadeSteps = 64;

// One fade-out step: every blue, green and red falls by 4, not below 0.
void DarkenStep(VPaletteEntry* entries);
// The fade-in picture at offset `o` (254, 250, ..., 2): a channel brighter than `o` in the
// saved table becomes (saved - o), every other one 0.
void BrightenTo(VPaletteEntry* entries, const VPaletteEntry* saved, int o);
// Every blue, green and red becomes 0.
void Blacken(VPaletteEntry* entries);
