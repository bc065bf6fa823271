#pragma once

#include <memory>

#include "engine/graphics/VDib.h"
#include "engine/graphics/VSurface.h"

// The surface over one owned bitmap; colours become palette indices by nearest search.
class VDibSurface : public VSurface {
public:
    VDibSurface(float width, float height);

    void LoadFromStream(std::istream& stream, int& length,
                        int64_t available = kUnknownLength) override;
    // Ignores surfaces of any other kind.
    void CopyFrom(const VSurface& surface) override;
    float GetWidth() const override;
    float GetHeight() const override;
    int32_t GetPixel(float x, float y) const override;
    void Resize(float width, float height, bool stretch) override;
    bool LoadFromFile(const std::string& name) override;
    void SaveToStream(std::ostream& stream) override;
    int32_t GetTransparentColor() const override;
    void SetTransparentColor(int32_t colour) override;
    // Draws nothing when `source` is not a VDibSurface.
    void Draw(const VSurface& source, float srcX, float srcY, float srcW, float srcH,
              float destX, float destY, float destW, float destH, bool mirrorX,
              bool mirrorY) override;
    void FillRect(const VRect& rect, int32_t colour) override;
    void Fill(int32_t colour) override;
    VRect GetRect() const override;
    VDib* GetDib() override { return dib_.get(); }
    const VDib* GetDib() const override { return dib_.get(); }

    // Palette index of the transparent colour, -1 for none.
    int32_t GetTransparentIndex() const { return transparentIndex_; }

private:
    // The palette index a fill colour stands for; -1 (no close entry) fills with 255.
    int32_t FillIndex(int32_t colour) const;

    std::unique_ptr<VDib> dib_;
    int32_t transparentIndex_ = -1;
};
