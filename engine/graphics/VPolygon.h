#pragma once

#include <cstddef>
#include <cstdint>

class VDib;

struct VPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const VPoint& other) const = default;
};

// Coordinates are clamped to +-kPolygonLimit, which keeps every product of two of them
// exact in a double; shapes that far out lie off every bitmap anyway.
constexpr int32_t kPolygonLimit = 1 << 24;

// Portable polygon drawing on the palette indices of a bitmap, clipped to it. The rules are
// those of the platform's polygon call: the fill takes the pixels whose centres lie inside
// (even-odd rule), so a rectangle's right and bottom edges stay unfilled; the outline is one
// pixel wide through the points themselves, closed from the last point back to the first.
void FillPolygon(VDib& dib, const VPoint* points, std::size_t count, uint8_t index);
void OutlinePolygon(VDib& dib, const VPoint* points, std::size_t count, uint8_t index);
// A one-pixel line with both ends drawn.
void DrawLine(VDib& dib, VPoint from, VPoint to, uint8_t index);
