#include "platform/win32/VWinDibPlatform.h"

#include <windows.h>

#include <vector>

#include "engine/graphics/VDib.h"

VDibSection VWinDibPlatform::CreateSection(const VDibInfo& info)
{
    const VDibHeader& h = info.header;
    if (h.width < 0 || h.height < 0 || h.width > kMaxDibSide || h.height > kMaxDibSide)
        return {};
    // GDI refuses a section without pixels; an empty bitmap still gets one to lend.
    VDibInfo sized = info;
    if (sized.header.width == 0 || sized.header.height == 0) {
        sized.header.width = 1;
        sized.header.height = 1;
        sized.header.sizeImage = uint32_t(DibStride(1));
    }
    HDC screen = GetDC(nullptr);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(screen, reinterpret_cast<const BITMAPINFO*>(&sized),
                                       DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!section || !bits) {
        if (section)
            DeleteObject(section);
        return {};
    }
    return {section, static_cast<uint8_t*>(bits)};
}

void VWinDibPlatform::DeleteSection(VDibSection section)
{
    if (section.handle)
        DeleteObject(static_cast<HBITMAP>(section.handle));
}

VHandle VWinDibPlatform::CreatePalette(const VPaletteEntry* entries)
{
    // LOGPALETTE ends in a one-entry array; the other 255 follow it in the same block.
    std::vector<unsigned char> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * (kPaletteSize - 1));
    auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = kPaletteSize;
    for (int i = 0; i < kPaletteSize; ++i) {
        palette->palPalEntry[i].peRed = entries[i].red;
        palette->palPalEntry[i].peGreen = entries[i].green;
        palette->palPalEntry[i].peBlue = entries[i].blue;
        palette->palPalEntry[i].peFlags = PC_NOCOLLAPSE;
    }
    return ::CreatePalette(palette);
}

void VWinDibPlatform::DeletePalette(VHandle palette)
{
    if (palette)
        DeleteObject(static_cast<HPALETTE>(palette));
}

VHandle VWinDibPlatform::CreateSectionDC(VDibSection section, VHandle& previous)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    previous = dc ? SelectObject(dc, static_cast<HBITMAP>(section.handle)) : nullptr;
    return dc;
}

void VWinDibPlatform::DeleteSectionDC(VHandle dc, VHandle previous)
{
    if (!dc)
        return;
    // GDI may batch drawing; the engine reads the pixels directly right after this.
    GdiFlush();
    SelectObject(static_cast<HDC>(dc), static_cast<HGDIOBJ>(previous));
    DeleteDC(static_cast<HDC>(dc));
}

void UseBitmapColours(VHandle dc, const VDib& dib)
{
    static_assert(sizeof(VPaletteEntry) == sizeof(RGBQUAD), "colour tables share one layout");
    if (dc)
        SetDIBColorTable(static_cast<HDC>(dc), 0, kPaletteSize,
                         reinterpret_cast<const RGBQUAD*>(dib.GetPaletteEntries()));
}

void InstallWinDibPlatform()
{
    static VWinDibPlatform platform;
    SetDibPlatform(&platform);
}
