#pragma once

#include <vector>

#include "bench/RatioReport.h"

// What showing a frame costs on Linux: the 8-bit frame through its colour table into 32-bit
// texture pixels (with the table rebuilt every frame, as fades change it) against SDL's own
// INDEX8 to ARGB8888 conversions, the same scaled from 1280x720 to the screen, and the 4:1
// reduction of the preview.

// Registers one round of the cases.
void RegisterPresentRound();
std::vector<VRatioTarget> PresentRatioTargets();
std::vector<VTimeTarget> PresentTimeTargets();
