#pragma once

#include <cstdint>
#include <string>

// A tiny built-in digit font for the frame-rate read-out, so the read-out needs no font
// files: digits, '.', '-', 'x' and space, 3 x 5 cells drawn `scale` times larger in white on black.
// Draws into 32-bit pixels (`pitch` bytes per row) and clips to width x height.
void DrawReadoutText(uint32_t* pixels, int pitch, int width, int height, int x, int y,
                     const std::string& text, int scale = 2);
