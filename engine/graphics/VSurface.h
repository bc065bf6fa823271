#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

#include "engine/graphics/VDib.h"
#include "engine/graphics/VRect.h"
#include "engine/stream/VObject.h"

// What visible objects draw on and draw from, in colour terms. Colour values have red in
// bits 0-7, green 8-15, blue 16-23; -1 is no colour.
class VSurface : public VObject {
public:
    virtual ~VSurface() = default;

    // Reads an embedded BMP; see VDib::LoadFromStream for `length` and `available`.
    virtual void LoadFromStream(std::istream& stream, int& length,
                                int64_t available = kUnknownLength) = 0;
    // Becomes a copy of `surface` (size, palette, pixels, transparent colour).
    virtual void CopyFrom(const VSurface& surface) = 0;
    virtual float GetWidth() const = 0;
    virtual float GetHeight() const = 0;
    virtual int32_t GetPixel(float x, float y) const = 0;
    // New size; with `stretch` the image is scaled into it, else kept at the top-left.
    virtual void Resize(float width, float height, bool stretch) = 0;
    virtual bool LoadFromFile(const std::string& name) = 0;
    // Not available: always raises.
    virtual void SaveToStream(std::ostream& stream) = 0;
    virtual int32_t GetTransparentColor() const = 0;
    // -1 clears transparency; any other colour selects its nearest palette entry.
    virtual void SetTransparentColor(int32_t colour) = 0;
    // Composes `source` into this surface, with the clipping, stretching and transparency
    // of VDib::CopyBits; mirrorX / mirrorY flip the image inside the destination rectangle.
    virtual void Draw(const VSurface& source, float srcX, float srcY, float srcW, float srcH,
                      float destX, float destY, float destW, float destH, bool mirrorX,
                      bool mirrorY) = 0;
    virtual void FillRect(const VRect& rect, int32_t colour) = 0;
    virtual void Fill(int32_t colour) = 0;
    virtual VRect GetRect() const = 0;
    virtual VDib* GetDib() = 0;
    virtual const VDib* GetDib() const = 0;

    // Has `destination` draw this whole surface 1:1 with its top-left corner at (x, y).
    void DrawTo(float x, float y, VSurface& destination) const;
};
