#pragma once

#include <cstdint>
#include <vector>

class VDib;

// The preview window shows the show composed at four times its size; averaging each 4 x 4
// block in true colour keeps thin lines and text readable where a plain stretch drops them.
constexpr int kPreviewWidth = 152;
constexpr int kPreviewHeight = 112;
constexpr int kPreviewFactor = 4;

// The 24-bit blue-green-red image (rows bottom-up, 4-byte stride) of `source` reduced by 4 per
// axis through its colour table: each channel is (sum of the 16 values + 8) / 16. The result
// is (width / 4) x (height / 4); leftover columns and rows are dropped.
std::vector<uint8_t> ReduceByFour(const VDib& source);

// Bytes per row of a 24-bit image.
constexpr int32_t TrueColorStride(int32_t width) { return (width * 3 + 3) & ~3; }
