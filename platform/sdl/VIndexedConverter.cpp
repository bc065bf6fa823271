#include "platform/sdl/VIndexedConverter.h"

void VIndexedConverter::SetPalette(const VPaletteEntry* entries)
{
    for (int i = 0; i < kPaletteSize; ++i) {
        table_[i] = 0xFF000000u | (uint32_t(entries[i].red) << 16) |
                    (uint32_t(entries[i].green) << 8) | uint32_t(entries[i].blue);
        lanes_[i] = (uint64_t(entries[i].red) << 32) | (uint64_t(entries[i].green) << 16) |
                    uint64_t(entries[i].blue);
    }
}

void VIndexedConverter::Convert(const VDib& dib, uint32_t* destination, int pitch) const
{
    const int width = dib.GetWidth();
    const int height = dib.GetHeight();
    const int stride = DibStride(width);
    const uint8_t* bits = dib.GetBits();
    if (!bits)
        return;
    auto* out = reinterpret_cast<uint8_t*>(destination);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = bits + static_cast<int64_t>(height - 1 - y) * stride;
        auto* target = reinterpret_cast<uint32_t*>(out + static_cast<int64_t>(y) * pitch);
        int x = 0;
        // Four at a time: the table look-ups are independent, which the compiler overlaps.
        for (; x + 4 <= width; x += 4) {
            target[x] = table_[row[x]];
            target[x + 1] = table_[row[x + 1]];
            target[x + 2] = table_[row[x + 2]];
            target[x + 3] = table_[row[x + 3]];
        }
        for (; x < width; ++x)
            target[x] = table_[row[x]];
    }
}

void VIndexedConverter::Reduce4(const VDib& dib, uint32_t* destination, int pitch) const
{
    const int width = dib.GetWidth() / 4;
    const int height = dib.GetHeight() / 4;
    const int rows = dib.GetHeight();
    const int stride = DibStride(dib.GetWidth());
    const uint8_t* bits = dib.GetBits();
    if (!bits)
        return;
    auto* out = reinterpret_cast<uint8_t*>(destination);
    for (int y = 0; y < height; ++y) {
        auto* target = reinterpret_cast<uint32_t*>(out + static_cast<int64_t>(y) * pitch);
        const uint8_t* lines[4];
        for (int k = 0; k < 4; ++k)
            lines[k] = bits + static_cast<int64_t>(rows - 1 - (4 * y + k)) * stride;
        for (int x = 0; x < width; ++x) {
            // At most 16 x 255 per lane: no carry reaches the next one.
            uint64_t sum = 0;
            for (const uint8_t* line : lines) {
                const uint8_t* p = line + 4 * x;
                sum += lanes_[p[0]] + lanes_[p[1]] + lanes_[p[2]] + lanes_[p[3]];
            }
            sum += (uint64_t(8) << 32) | (uint64_t(8) << 16) | 8;
            const uint32_t red = uint32_t(sum >> 36) & 0xFF;
            const uint32_t green = uint32_t(sum >> 20) & 0xFF;
            const uint32_t blue = uint32_t(sum >> 4) & 0xFF;
            target[x] = 0xFF000000u | (red << 16) | (green << 8) | blue;
        }
    }
}
