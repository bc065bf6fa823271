#include "platform/sdl/VReadoutText.h"

namespace {

// Five rows of three bits per glyph, top row first, high bit on the left.
const uint8_t kDigits[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};
const uint8_t kPoint[5] = {0, 0, 0, 0, 2};
const uint8_t kMinus[5] = {0, 0, 7, 0, 0};
const uint8_t kSpace[5] = {0, 0, 0, 0, 0};
const uint8_t kCross[5] = {0, 5, 2, 5, 0};

const uint8_t* GlyphOf(char c)
{
    if (c >= '0' && c <= '9')
        return kDigits[c - '0'];
    if (c == '.')
        return kPoint;
    if (c == '-')
        return kMinus;
    if (c == 'x')
        return kCross;
    return kSpace;
}

}  // namespace

void DrawReadoutText(uint32_t* pixels, int pitch, int width, int height, int x, int y,
                     const std::string& text, int scale)
{
    auto put = [&](int px, int py, uint32_t colour) {
        if (px < 0 || py < 0 || px >= width || py >= height)
            return;
        reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(pixels) + int64_t(py) * pitch)[px] = colour;
    };
    const int cell = 4 * scale;  // three columns and a gap
    for (std::size_t i = 0; i < text.size(); ++i) {
        const uint8_t* glyph = GlyphOf(text[i]);
        const int left = x + static_cast<int>(i) * cell;
        // A black box behind the glyph keeps it readable on any picture.
        for (int gy = -scale; gy < 6 * scale; ++gy)
            for (int gx = 0; gx < cell; ++gx)
                put(left + gx, y + gy, 0xFF000000u);
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 3; ++col)
                if (glyph[row] & (4 >> col))
                    for (int sy = 0; sy < scale; ++sy)
                        for (int sx = 0; sx < scale; ++sx)
                            put(left + col * scale + sx, y + row * scale + sy, 0xFFFFFFFFu);
    }
}
