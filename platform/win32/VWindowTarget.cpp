#include "platform/win32/VWindowTarget.h"

#include "engine/graphics/VDib.h"

void VWindowTarget::ShowBits(VDib& dib, int32_t x, int32_t y, int32_t width, int32_t height,
                             int32_t srcX, int32_t srcY, int32_t srcWidth, int32_t srcHeight)
{
    HDC dc = GetDC(window_);
    if (!dc)
        return;
    HPALETTE palette = static_cast<HPALETTE>(dib.GetPalette());
    HPALETTE previous = palette ? SelectPalette(dc, palette, FALSE) : nullptr;
    if (palette)
        RealizePalette(dc);
    const VDib& pixels = dib;
    StretchDIBits(dc, x, y, width, height, srcX, srcY, srcWidth, srcHeight, pixels.GetBits(),
                  reinterpret_cast<const BITMAPINFO*>(&pixels.GetInfo()), DIB_RGB_COLORS, SRCCOPY);
    if (palette)
        SelectPalette(dc, previous, FALSE);
    ReleaseDC(window_, dc);
}
