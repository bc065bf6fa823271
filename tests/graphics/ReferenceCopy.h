#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/graphics/VDib.h"

// A literal, pixel-by-pixel reading of the copy rules, deliberately simple and slow: every
// pixel of the unclipped destination rectangle gets its source pixel by the sampling rule,
// and is written when it lies inside the destination. Rotation, modes and alpha are not
// covered. Returns the message of the parameter fault, or "".
inline std::vector<int> ReferenceSamples(int source, int dest)
{
    std::vector<int> out(static_cast<size_t>(dest));
    const int q = source / dest, r = source % dest;
    int accumulator = 0, position = 0;
    for (int i = 0; i < dest; ++i) {
        out[size_t(i)] = position;
        accumulator += r;
        if (accumulator > dest) {
            accumulator -= dest;
            position += q + 1;
        } else {
            position += q;
        }
    }
    return out;
}

inline std::string ReferenceCopy(const VDib& from, std::vector<uint8_t>& to, int toWidth,
                                 int toHeight, VRect source, VRect dest, int transparentIndex)
{
    const int toStride = DibStride(toWidth);
    dest.x = std::floor(dest.x);
    dest.y = std::floor(dest.y);
    if (dest.IsEmpty())
        dest = VRect(0, 0, float(toWidth), float(toHeight));
    if (source.IsEmpty())
        source = from.GetRect();
    const bool mirrorX = dest.width < 0, mirrorY = dest.height < 0;
    dest.width = std::fabs(dest.width);
    dest.height = std::fabs(dest.height);
    source.width = std::fabs(source.width);
    source.height = std::fabs(source.height);
    if (source.x < 0 || source.y < 0 || source.x + source.width > float(from.GetWidth()) ||
        source.y + source.height > float(from.GetHeight()))
        return "VDib::CopyBits : Source rect out of bounds";
    const int sx = int(source.x), sy = int(source.y);
    const int sw = int(source.width), sh = int(source.height);
    const int x = int(dest.x), y = int(dest.y);
    const int w = int(dest.width), h = int(dest.height);
    if (sw == 0 || sh == 0 || w == 0 || h == 0)
        return "";
    const std::vector<int> columns = ReferenceSamples(sw, w);
    const std::vector<int> rows = ReferenceSamples(sh, h);
    const uint8_t* bits = from.GetBits();
    for (int j = 0; j < h; ++j) {
        const int row = mirrorY ? y + j : y + h - 1 - j;  // destination row, top-down
        if (row < 0 || row >= toHeight)
            continue;
        const int sourceRow = sy + rows[size_t(j)];  // stored rows, from the bottom
        for (int i = 0; i < w; ++i) {
            const int column = x + i;
            if (column < 0 || column >= toWidth)
                continue;
            const int sourceColumn = mirrorX ? sx + sw - 1 - columns[size_t(i)] : sx + columns[size_t(i)];
            const uint8_t b = bits[size_t(sourceRow) * size_t(from.GetStride()) + size_t(sourceColumn)];
            if (transparentIndex >= 0 && b == uint8_t(transparentIndex))
                continue;
            to[size_t(toHeight - 1 - row) * size_t(toStride) + size_t(column)] = b;
        }
    }
    return "";
}
