#pragma once

#include <cstdint>

#include "engine/graphics/VDibFormat.h"

// Opaque platform handle (section, palette, device context, selected object).
using VHandle = void*;

// The DIB section: the platform object owning a bitmap's pixel memory, and that memory.
struct VDibSection {
    VHandle handle = nullptr;
    uint8_t* bits = nullptr;
};

// What a bitmap needs of the platform. The default, used until a backend installs another,
// keeps pixels in the engine's own memory, snapshots palettes and lends no real device context.
class VDibPlatform {
public:
    virtual ~VDibPlatform() = default;

    // Pixel memory for the bitmap `info` describes (height x stride bytes, zeroed where the
    // platform allows); a null handle when it cannot be had.
    virtual VDibSection CreateSection(const VDibInfo& info) = 0;
    virtual void DeleteSection(VDibSection section) = 0;

    // A platform palette built from the 256 entries (a snapshot: later changes to the
    // entries do not reach it).
    virtual VHandle CreatePalette(const VPaletteEntry* entries) = 0;
    virtual void DeletePalette(VHandle palette) = 0;

    // A memory device context with the section selected into it; `previous` receives what
    // the context held before.
    virtual VHandle CreateSectionDC(VDibSection section, VHandle& previous) = 0;
    virtual void DeleteSectionDC(VHandle dc, VHandle previous) = 0;
};

// The platform new bitmaps use. A bitmap keeps the platform that made its section.
VDibPlatform& GetDibPlatform();
// Installs `platform` (not owned); nullptr restores the memory-only default.
void SetDibPlatform(VDibPlatform* platform);
