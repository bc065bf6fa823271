#pragma once

#include <cstdint>
#include <vector>

// The engine's rectangle in stage pixels, y growing downwards.
struct VRect {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;

    VRect() = default;
    VRect(float x, float y, float width, float height) : x(x), y(y), width(width), height(height) {}

    float Right() const { return x + width; }
    float Bottom() const { return y + height; }

    // Empty when the width or the height truncates to 0.
    bool IsEmpty() const;
    // Becomes the overlap with `other`; with no overlap it becomes all zero and reports false.
    bool Intersect(const VRect& other);
    void Offset(float dx, float dy);
    void Floor();

    bool operator==(const VRect& other) const = default;
};

// Pointers to rectangles owned elsewhere (invalid lists, clip lists).
using VRectList = std::vector<VRect*>;

// Whole-pixel rectangle, as bitmaps report their bounds.
struct VIntRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    bool operator==(const VIntRect& other) const = default;
};
