#include "platform/web/VRgbaFrame.h"

#include <bit>

void VRgbaFrame::Convert(const uint8_t* bits, int width, int height, int stride,
                         const VPaletteEntry* palette)
{
    static_assert(std::endian::native == std::endian::little, "RGBA words assume little endian");
    uint32_t table[kPaletteSize];
    for (int i = 0; i < kPaletteSize; ++i) {
        const VPaletteEntry& e = palette[i];
        table[i] = uint32_t(e.red) | uint32_t(e.green) << 8 | uint32_t(e.blue) << 16 | 0xFF000000u;
    }
    width_ = width;
    height_ = height;
    pixels_.resize(std::size_t(width) * std::size_t(height));
    uint32_t* out = pixels_.data();
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = bits + std::ptrdiff_t(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x)
            *out++ = table[row[x]];
    }
}
