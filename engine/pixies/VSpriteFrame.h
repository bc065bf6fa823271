#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/graphics/VSurface.h"
#include "engine/stream/VComponent.h"

// One named image of a sprite, with the colour drawn see-through.
class VSpriteFrame : public VComponent {
public:
    // Sprites pass no owner: their frames are shared with copies (VSprite::CopyFrom) and live
    // as long as the last sprite that shows them.
    VSpriteFrame(VComponent* owner, std::string name, float hotSpotX, float hotSpotY,
                 int32_t transparentColour);

    // Exchanges the frame's surface with `surface`, then gives the new one the frame's
    // transparent colour.
    void SetSurface(std::unique_ptr<VSurface>& surface);

    VSurface* GetSurface() const { return surface_.get(); }
    float GetHotSpotX() const { return hotSpotX_; }
    float GetHotSpotY() const { return hotSpotY_; }
    int32_t GetTransparentColour() const { return transparentColour_; }

private:
    float hotSpotX_;
    float hotSpotY_;
    int32_t transparentColour_;
    std::unique_ptr<VSurface> surface_;
};
