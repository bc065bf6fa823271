#pragma once

#include <cstdint>

// The in-memory layout that the platform's DIB functions expect: a 40-byte info header and a
// 256-entry colour table directly behind it.

struct VDibHeader {
    uint32_t size = 40;
    int32_t width = 0;
    int32_t height = 0;  // positive: rows stored bottom-up
    uint16_t planes = 1;
    uint16_t bitCount = 8;
    uint32_t compression = 0;  // BI_RGB
    uint32_t sizeImage = 0;
    int32_t xPelsPerMeter = 3780;
    int32_t yPelsPerMeter = 3780;
    uint32_t clrUsed = 256;
    uint32_t clrImportant = 0;
};
static_assert(sizeof(VDibHeader) == 40);

// One colour table entry, in the platform's blue-green-red order.
struct VPaletteEntry {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t reserved = 0;

    bool operator==(const VPaletteEntry& other) const = default;
};
static_assert(sizeof(VPaletteEntry) == 4);

constexpr int kPaletteSize = 256;

struct VDibInfo {
    VDibHeader header;
    VPaletteEntry colors[kPaletteSize];
};
static_assert(sizeof(VDibInfo) == 40 + 4 * kPaletteSize);

// Largest width or height a bitmap may have; keeps stride x height far inside 32 bits.
constexpr int32_t kMaxDibSide = 32768;

// Bytes per stored row: rows are padded to a multiple of 4.
constexpr int32_t DibStride(int32_t width) { return (width + 3) & ~3; }

// Colour values: red in bits 0-7, green 8-15, blue 16-23; -1 means no colour.
constexpr int32_t kNoColor = -1;
constexpr int32_t ColorOf(const VPaletteEntry& e)
{
    return int32_t(e.red) | (int32_t(e.green) << 8) | (int32_t(e.blue) << 16);
}
