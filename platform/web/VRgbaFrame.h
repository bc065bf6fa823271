#pragma once

#include <cstdint>
#include <vector>

#include "engine/graphics/VDibFormat.h"

// A frame as the canvas takes it: 8-bit pixels through a colour table into RGBA bytes, top
// row first (bitmaps store their rows bottom-up).
class VRgbaFrame {
public:
    // width x height pixels of `bits`, rows `stride` bytes apart, through `palette`.
    void Convert(const uint8_t* bits, int width, int height, int stride,
                 const VPaletteEntry* palette);

    const uint8_t* GetData() const { return reinterpret_cast<const uint8_t*>(pixels_.data()); }
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }

private:
    // One 32-bit word per pixel whose bytes in memory are red, green, blue, alpha.
    std::vector<uint32_t> pixels_;
    int width_ = 0;
    int height_ = 0;
};
