#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/graphics/VDib.h"
#include "engine/graphics/VDibFormat.h"

// An 8-bit palette-indexed picture in plain memory: rows top first, `width` bytes each.
struct VIndexedImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;
    std::array<VPaletteEntry, kPaletteSize> palette{};
    // How many palette entries the image defines (a PNG may carry fewer than 256).
    int paletteSize = kPaletteSize;

    uint8_t At(int32_t x, int32_t y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool operator==(const VIndexedImage& other) const = default;
};

// The bitmap's pixels and colour table.
VIndexedImage ImageFromDib(const VDib& dib);
// A bitmap with the image's pixels; palette entries past paletteSize are black.
std::unique_ptr<VDib> DibFromImage(const VIndexedImage& image);
