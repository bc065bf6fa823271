#pragma once

#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <string>

#include "engine/graphics/VDibFormat.h"
#include "engine/graphics/VDibPlatform.h"
#include "engine/graphics/VDrawTarget.h"
#include "engine/graphics/VRect.h"

// Width or height argument meaning "the bitmap's own".
constexpr int32_t kDibOwnSize = -99999;

// The number of bytes a reader may consume is not known: read until the stream ends.
constexpr int64_t kUnknownLength = -1;

class VDibRunCache;

// The engine's pixel store: an 8-bit palette-indexed bitmap, rows stored bottom-up with a
// 4-byte stride. Everything but showing and the device context works on plain memory.
class VDib {
public:
    VDib(int32_t width, int32_t height);
    // Same size; palette (when the other has one) and pixels copied.
    VDib(const VDib& other);
    VDib& operator=(const VDib&) = delete;
    virtual ~VDib();

    virtual VIntRect GetBounds() const;
    // A blank bitmap with the grey ramp palette and no meaningful palette yet.
    virtual void Create(int32_t width, int32_t height);
    virtual bool LoadFromFile(const std::string& fileName);
    // Not available: always raises.
    virtual void SaveToStream(std::ostream& stream);
    // Reads one BMP image from the stream's position; `length` receives the bytes the image
    // occupies (pixel offset + height x stride). `available`, when known, is how many bytes
    // the stream holds for this image (a value token's length); nothing past it is read.
    virtual void LoadFromStream(std::istream& stream, int& length,
                                int64_t available = kUnknownLength);
    // Shows the whole bitmap stretched into (x, y, width, height); kDibOwnSize = own extent.
    virtual void Draw(VDrawTarget* window, int32_t x, int32_t y, int32_t width = kDibOwnSize,
                      int32_t height = kDibOwnSize);
    // Shows each listed rectangle 1:1 at its place, or with no list (x, y, width, height).
    virtual void DrawRects(VDrawTarget* window, int32_t x, int32_t y, int32_t width,
                           int32_t height, const VRectList* rects);
    virtual void CopyBits(VDib* destination, int32_t destX, int32_t destY, int32_t width,
                          int32_t height, int32_t srcX, int32_t srcY,
                          int32_t transparentIndex) const;
    // The composition primitive. A negative transparent index copies opaquely. The source
    // rectangle's y counts stored rows from the bottom line of this bitmap.
    virtual void CopyBits(VDib* destination, VRect source, VRect dest, int32_t transparentIndex,
                          int32_t mode = 0, float angle = 0, float alpha = 0) const;
    // The destination box of a copy turned by `angle` radians: the axis-aligned box of the
    // rectangle's corners turned about its centre (counter-clockwise on the screen).
    static VRect CopyBits_Rotation(const VRect& dest, float angle);
    // Every byte of the pixel memory, row padding included, becomes `index` (as a byte).
    virtual void Fill(int32_t index);
    virtual void FillRect(const VRect& rect, int32_t index);

    // Releases the section (and any lent device context).
    void ReleaseAll();

    int32_t GetWidth() const { return info_.header.width; }
    int32_t GetHeight() const { return info_.header.height; }
    int32_t GetStride() const { return DibStride(info_.header.width); }
    VRect GetRect() const;
    bool HasPalette() const { return hasPalette_; }
    bool HasSection() const { return section_.handle != nullptr; }

    // Writable pixel memory. Handing it out counts as a change of the pixels.
    uint8_t* GetBits();
    const uint8_t* GetBits() const { return section_.bits; }
    // The 256-entry colour table; writable, for palette fades.
    VPaletteEntry* GetPaletteEntries() { return info_.colors; }
    const VPaletteEntry* GetPaletteEntries() const { return info_.colors; }
    // Header and colour table as one block, as the platform's DIB blit takes them.
    const VDibInfo& GetInfo() const { return info_; }

    // Address of pixel (x, y), y counted from the top; raises unless inside the bitmap.
    // Handing out a writable address counts as a change of the pixels.
    uint8_t* GetPixelAddress(int32_t x, int32_t y);
    const uint8_t* GetPixelAddress(int32_t x, int32_t y) const;
    int32_t GetPixelIndex(int32_t x, int32_t y) const;
    // Colour value of the pixel's palette entry.
    int32_t GetPixel(int32_t x, int32_t y) const;
    // Palette index of `colour`, the nearest or an exact match; -1 when there is none.
    int32_t GetPaletteIndex(int32_t colour, bool nearest) const;

    // The platform palette, built on first request; null when the bitmap has no palette.
    VHandle GetPalette();

    // A counted stack lending a device context with the section selected, for platform text.
    VHandle PushDC();
    void PopDC();
    int32_t GetDCDepth() const { return dcDepth_; }

    // Tells the bitmap its pixels were written behind its back (through a pointer kept from
    // GetBits or a lent device context), so cached facts about them are dropped.
    void PixelsChanged();

private:
    void DeletePaletteHandle();
    void ClearToEmpty();
    void AdoptPalette(const VDib& source);
    const VDibRunCache& RunsFor(uint8_t transparentIndex) const;

    VDibInfo info_;
    VHandle paletteHandle_ = nullptr;
    VHandle memoryDC_ = nullptr;
    VDibSection section_;
    VHandle previousObject_ = nullptr;
    int32_t dcDepth_ = 0;
    bool hasPalette_ = false;
    VDibPlatform* platform_ = nullptr;
    mutable std::unique_ptr<VDibRunCache> runs_;
};
