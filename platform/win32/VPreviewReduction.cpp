#include "platform/win32/VPreviewReduction.h"

#include "engine/graphics/VDib.h"

std::vector<uint8_t> ReduceByFour(const VDib& source)
{
    const int32_t width = source.GetWidth() / kPreviewFactor;
    const int32_t height = source.GetHeight() / kPreviewFactor;
    const int32_t outStride = TrueColorStride(width);
    std::vector<uint8_t> out(size_t(outStride) * size_t(height), 0);
    const uint8_t* bits = source.GetBits();
    if (!bits || width == 0 || height == 0)
        return out;
    const VPaletteEntry* colors = source.GetPaletteEntries();
    const int32_t stride = source.GetStride();
    // Both images are stored bottom-up, and the source height is a whole number of blocks
    // away from the output's, so stored block row r feeds stored output row r.
    const int32_t skipped = source.GetHeight() - height * kPreviewFactor;
    for (int32_t row = 0; row < height; ++row) {
        uint8_t* target = out.data() + size_t(outStride) * size_t(row);
        for (int32_t column = 0; column < width; ++column) {
            unsigned blue = 0, green = 0, red = 0;
            for (int dy = 0; dy < kPreviewFactor; ++dy) {
                const uint8_t* line = bits + size_t(stride) * size_t(skipped + row * kPreviewFactor + dy);
                for (int dx = 0; dx < kPreviewFactor; ++dx) {
                    const VPaletteEntry& e = colors[line[column * kPreviewFactor + dx]];
                    blue += e.blue;
                    green += e.green;
                    red += e.red;
                }
            }
            target[column * 3 + 0] = uint8_t((blue + 8) / 16);
            target[column * 3 + 1] = uint8_t((green + 8) / 16);
            target[column * 3 + 2] = uint8_t((red + 8) / 16);
        }
    }
    return out;
}
