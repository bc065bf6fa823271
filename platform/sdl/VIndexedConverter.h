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
    // Only the pixels `part` of the bitmap scaled to outWidth x outHeight, written from
    // `destination` on (where the part's top-left pixel goes): each the nearest pixel of the
    // bitmap, or with `filtered` a blend of the four bitmap pixels around its centre, for
    // factors that are not whole. What lies outside the scaled picture is left out.
    void ConvertPart(const VDib& dib, uint32_t* destination, int pitch, int outWidth,
                     int outHeight, const VIntRect& part, bool filtered);
    // The 4:1 reduction: each 4 x 4 block of the bitmap becomes one pixel whose red, green
    // and blue are the rounded means of the block's sixteen. The result is width / 4 by
    // height / 4; rest rows and columns are left out.
    void Reduce4(const VDib& dib, uint32_t* destination, int pitch) const;

private:
    uint32_t table_[kPaletteSize] = {};
    // Red, green and blue in 16-bit lanes, so that sixteen colours add up in one sum each.
    uint64_t lanes_[kPaletteSize] = {};
    void MapColumns(int width, int outWidth);
    void MapBlendColumns(int width, int outWidth);
    void ConvertBlocks(const VDib& dib, uint32_t* destination, int pitch, int k,
                       const VIntRect& part);
    void ConvertBlended(const VDib& dib, uint32_t* destination, int pitch, int outWidth,
                        int outHeight, const VIntRect& part);

    // Source column of every output column, for the last scaled size.
    std::vector<int> columns_;
    int columnsFrom_ = 0;
    // For blending: the left source column of every output column and the right one's
    // weight in 256ths, for the last blended size.
    std::vector<int> blendColumns_;
    std::vector<uint32_t> blendWeights_;
    int blendFrom_ = 0;
    // Two source rows blended across, for blending down.
    std::vector<uint32_t> blendRows_;
    // One row of k x k blocks, before it is copied to its k rows.
    std::vector<uint32_t> blockRow_;
};
