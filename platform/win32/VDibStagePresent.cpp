#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/graphics/VDib.h"
#include "engine/graphics/VDibSurface.h"
#include "engine/stage/VPresentPlan.h"
#include "platform/win32/VDibStage.h"
#include "platform/win32/VPreviewReduction.h"
#include "platform/win32/VWinDibPlatform.h"

VResolution VDibStage::TargetArea()
{
    if (targetWidth_ != -99999.0f && targetHeight_ != -99999.0f)
        return {int(targetWidth_), int(targetHeight_)};
    RECT client{};
    GetClientRect(target_, &client);
    return {int(client.right - client.left), int(client.bottom - client.top)};
}

void VDibStage::Present(VSurface& surface, float, float, const VRectList* rects)
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
    // A frame that changed nothing is not shown again.
    if (rects && rects->empty())
        return;
    VRect own = GetWindowBounds();
    if (own.width == kPreviewFactor * targetWidth_ && own.height == kPreviewFactor * targetHeight_ &&
        targetWidth_ == kPreviewWidth && targetHeight_ == kPreviewHeight) {
        PresentPreview(*dib);
        return;
    }
    VRectList changed = rects ? *rects : VRectList();
    VRect readout;
    if (showFrameRate_)
        readout = DrawFrameRate(*dib);
    if (!readout.IsEmpty())
        changed.push_back(&readout);

    const VResolution frame{dib->GetWidth(), dib->GetHeight()};
    const VIntRect fit = FitPicture(frame, TargetArea());
    // A whole factor shows each bitmap pixel as a block, so a part shown alone meets its
    // surroundings exactly; any other factor goes through the platform's filter, whose edges
    // would not, so it shows whole frames.
    const bool whole = IsWholeFactor(frame, {fit.width, fit.height});
    VPresentPlan plan = VPresentPlan::Make(rects ? &changed : nullptr, frame.width, frame.height,
                                           fit.width, fit.height, !whole);
    if (plan.kind == VPresentPlan::Kind::Nothing)
        return;
    if (!whole)
        plan.kind = VPresentPlan::Kind::Whole;

    HDC dc = GetDC(target_);
    if (!dc)
        return;
    HPALETTE palette = static_cast<HPALETTE>(dib->GetPalette());
    HPALETTE previous = palette ? SelectPalette(dc, palette, FALSE) : nullptr;
    if (palette)
        RealizePalette(dc);
    SetStretchBltMode(dc, whole ? COLORONCOLOR : HALFTONE);
    if (!whole)
        SetBrushOrgEx(dc, 0, 0, nullptr);  // as HALFTONE asks
    const VDib& pixels = *dib;
    auto show = [&](const VIntRect& to, const VIntRect& from) {
        // Source rows count from the bitmap's bottom line.
        StretchDIBits(dc, fit.x + to.x, fit.y + to.y, to.width, to.height, from.x,
                      frame.height - from.y - from.height, from.width, from.height,
                      pixels.GetBits(), reinterpret_cast<const BITMAPINFO*>(&pixels.GetInfo()),
                      DIB_RGB_COLORS, SRCCOPY);
    };
    if (plan.kind == VPresentPlan::Kind::Whole)
        show({0, 0, fit.width, fit.height}, {0, 0, frame.width, frame.height});
    else
        for (const VPresentPlan::Part& part : plan.parts)
            show(part.shown, part.source);
    if (palette)
        SelectPalette(dc, previous, FALSE);
    ReleaseDC(target_, dc);
}

VRect VDibStage::DrawFrameRate(VDib& dib)
{
    double now = GetTime();
    if (!frameRate_.Present(now))
        return VRect();
    // The rate, and the size the show is composed at.
    char text[64];
    std::snprintf(text, sizeof(text), "%f %dx%d", frameRate_.GetRate(), int(dib.GetWidth()),
                  int(dib.GetHeight()));
    HDC dc = static_cast<HDC>(dib.PushDC());
    UseBitmapColours(dc, dib);
    const int length = int(std::strlen(text));
    TextOutA(dc, 0, 0, text, length);
    SIZE extent{};
    GetTextExtentPoint32A(dc, text, length, &extent);
    dib.PopDC();
    return VRect(0, 0, float(extent.cx), float(extent.cy));
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
