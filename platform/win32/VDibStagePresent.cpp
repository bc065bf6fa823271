#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/graphics/VDib.h"
#include "engine/graphics/VDibSurface.h"
#include "platform/win32/VDibStage.h"
#include "platform/win32/VPreviewReduction.h"
#include "platform/win32/VWinDibPlatform.h"
#include "platform/win32/VWindowTarget.h"

void VDibStage::Present(VSurface& surface, float x, float y, const VRectList* rects)
{
    VDib* dib = surface.GetDib();
    if (!dib)
        return;
    dib->GetPalette();
    if (!target_)
        return;
    if (!IsWindow(target_)) {
        // The preview's host window has gone: the settings dialog closed or changed saver.
        Stop();
        return;
    }
    if (showFrameRate_)
        DrawFrameRate(*dib);

    VRect own = GetWindowBounds();
    if (own.width == kPreviewFactor * targetWidth_ && own.height == kPreviewFactor * targetHeight_ &&
        targetWidth_ == kPreviewWidth && targetHeight_ == kPreviewHeight) {
        PresentPreview(*dib);
        return;
    }
    VWindowTarget window(target_);
    if (rects) {
        if (showFrameRate_) {
            VRectList readout;
            VRect corner(0, 0, 30, 100);
            readout.push_back(&corner);
            dib->DrawRects(&window, 0, 0, 0, 0, &readout);
        }
        dib->DrawRects(&window, 0, 0, 0, 0, rects);
        return;
    }
    int32_t width = targetWidth_ == -99999.0f ? kDibOwnSize : int32_t(targetWidth_);
    int32_t height = targetHeight_ == -99999.0f ? kDibOwnSize : int32_t(targetHeight_);
    dib->Draw(&window, int32_t(x), int32_t(y), width, height);
}

void VDibStage::DrawFrameRate(VDib& dib)
{
    double now = GetTime();
    if (!frameRate_.Present(now))
        return;
    char text[64];
    std::snprintf(text, sizeof(text), "%f", frameRate_.GetRate());
    HDC dc = static_cast<HDC>(dib.PushDC());
    UseBitmapColours(dc, dib);
    TextOutA(dc, 0, 0, text, int(std::strlen(text)));
    dib.PopDC();
}

void VDibStage::PresentPreview(VDib& dib)
{
    std::vector<uint8_t> reduced = ReduceByFour(dib);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = kPreviewWidth;
    header.biHeight = kPreviewHeight;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = DWORD(reduced.size());

    HDC dc = GetDC(target_);
    if (!dc)
        return;
    HPALETTE palette = static_cast<HPALETTE>(dib.GetPalette());
    HPALETTE previous = palette ? SelectPalette(dc, palette, FALSE) : nullptr;
    if (palette)
        RealizePalette(dc);
    StretchDIBits(dc, 0, 0, kPreviewWidth, kPreviewHeight, 0, 0, kPreviewWidth, kPreviewHeight,
                  reduced.data(), reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS,
                  SRCCOPY);
    if (palette)
        SelectPalette(dc, previous, FALSE);
    ReleaseDC(target_, dc);
}

void VDibStage::FadeTransition(bool fadeOut, bool fadeIn)
{
    // The fade changes the bitmap's colour table; its platform palette must exist first.
    if (VSurface* frame = GetFrameBuffer(); frame && frame->GetDib())
        frame->GetDib()->GetPalette();
    PlayPaletteFade(fadeOut, fadeIn, [this] { return PumpMessages(0); });
}
