#pragma once

#include <cstdint>

class VDib;

// Where a bitmap is shown: a window for the Windows backend, a frame store for headless runs.
class VDrawTarget {
public:
    virtual ~VDrawTarget() = default;

    // Shows the part (srcX, srcY, srcWidth, srcHeight) of `dib`, stretched into (x, y, width,
    // height) of the target. srcY counts stored rows from the bitmap's bottom line, as the
    // platform's DIB blit does; the target's y runs downwards. The part always lies inside the
    // bitmap and is not empty; the target clips to itself. The colours are the bitmap's current
    // colour table (GetPaletteEntries); `dib.GetPalette()` yields its platform palette.
    virtual void ShowBits(VDib& dib, int32_t x, int32_t y, int32_t width, int32_t height,
                          int32_t srcX, int32_t srcY, int32_t srcWidth, int32_t srcHeight) = 0;
};
