#pragma once

#include <cstdint>
#include <vector>

#include "engine/graphics/VDib.h"

// Turns 8-bit palette-indexed frames into 32-bit pixels (alpha, red, green, blue from the high
// byte down, as a streaming texture of ARGB8888 expects).
class VIndexedConverter {
public:
    // Takes the bitmap's current colour table; call again after the palette changed.
    void SetPalette(const VPaletteEntry* entries);
    uint32_t ColorAt(int index) const { return table_[index]; }

    // The whole bitmap, top row first (the bitmap stores its rows bottom-up). `pitch` is the
    // destination's bytes per row.
    void Convert(const VDib& dib, uint32_t* destination, int pitch) const;
    // The whole bitmap scaled to outWidth x outHeight, each pixel the nearest of the bitmap.
    void ConvertScaled(const VDib& dib, uint32_t* destination, int pitch, int outWidth, int outHeight);
    // The 4:1 reduction: each 4 x 4 block of the bitmap becomes one pixel whose red, green
    // and blue are the rounded means of the block's sixteen. The result is width / 4 by
    // height / 4; rest rows and columns are left out.
    void Reduce4(const VDib& dib, uint32_t* destination, int pitch) const;

private:
    uint32_t table_[kPaletteSize] = {};
    // Red, green and blue in 16-bit lanes, so that sixteen colours add up in one sum each.
    uint64_t lanes_[kPaletteSize] = {};
    // Source column of every output column, for the last scaled size.
    std::vector<int> columns_;
    int columnsFrom_ = 0;
};
