#include "engine/pixies/VSpriteFrame.h"

VSpriteFrame::VSpriteFrame(VComponent* owner, std::string name, float hotSpotX, float hotSpotY,
                           int32_t transparentColour)
    : VComponent(std::move(name), owner),
      hotSpotX_(hotSpotX),
      hotSpotY_(hotSpotY),
      transparentColour_(transparentColour)
{
}

void VSpriteFrame::SetSurface(std::unique_ptr<VSurface>& surface)
{
    surface_.swap(surface);
    if (surface_)
        surface_->SetTransparentColor(transparentColour_);
}
