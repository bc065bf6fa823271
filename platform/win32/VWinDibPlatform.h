#pragma once

#include "engine/graphics/VDibPlatform.h"

// Bitmaps whose pixels live in GDI DIB sections, so GDI can draw text and shapes into them
// and StretchDIBits can show them.
class VWinDibPlatform : public VDibPlatform {
public:
    VDibSection CreateSection(const VDibInfo& info) override;
    void DeleteSection(VDibSection section) override;
    VHandle CreatePalette(const VPaletteEntry* entries) override;
    void DeletePalette(VHandle palette) override;
    VHandle CreateSectionDC(VDibSection section, VHandle& previous) override;
    void DeleteSectionDC(VHandle dc, VHandle previous) override;
};

class VDib;

// Gives the section selected in `dc` the bitmap's current colour table. A section keeps the
// table it was made with (a grey ramp until a palette is adopted), and GDI matches the colours
// it draws (the white balloon, black text) against that table, not the one shown.
void UseBitmapColours(VHandle dc, const VDib& dib);

// Makes every new bitmap a DIB section (once per process).
void InstallWinDibPlatform();
