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

// Makes every new bitmap a DIB section (once per process).
void InstallWinDibPlatform();
