#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "engine/pixies/VPixie.h"

// One image from the stream, optionally drawn with one colour see-through.
class VPicture : public VPixie {
public:
    // Makes the (1 x 1) surface at once, so a picture always has one; needs a current stage.
    VPicture(std::string name, VComponent* owner);

    bool LoadPropFromStream(const std::string& name, std::istream& stream, int& consumed) override;
    // Writes the class and the name with an empty property block.
    void SaveToStream(std::ostream& stream) override;
    std::string GetClassName() const override { return "VPicture"; }

    float GetXPos() const override { return x_; }
    void SetXPos(float x) override { x_ = x; }
    float GetYPos() const override { return y_; }
    void SetYPos(float y) override { y_ = y; }
    float GetZPos() const override { return z_; }
    void SetZPos(float z) override { z_ = z; }
    bool UpdateRect() override;
    void Draw(VSurface& target, float x, float y, const VRectList* clipRects) override;

    virtual float GetWidth() const { return surface_->GetWidth(); }
    virtual float GetHeight() const { return surface_->GetHeight(); }

    // Applies the stored colour to the surface when on, no transparency when off.
    void SetTransparent(bool on);
    // Stores the colour only; the surface keeps what it had until SetTransparent.
    void SetTransColor(int32_t colour) { transColor_ = colour; }
    bool IsTransparent() const { return transparent_; }
    int32_t GetTransColor() const { return transColor_; }

    VSurface& GetSurface() { return *surface_; }
    const VSurface& GetSurface() const { return *surface_; }
    const VRect& GetLastRect() const { return lastRect_; }

private:
    float x_ = 0;
    float y_ = 0;
    float z_ = 0;
    bool transparent_ = false;
    bool hasBitmap_ = false;
    // Pure blue in colour values (red sits in the low byte).
    int32_t transColor_ = 0xFF0000;
    VRect lastRect_;
    std::unique_ptr<VSurface> surface_;
};
