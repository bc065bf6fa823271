#pragma once

#include "engine/pixies/VPixieModifier.h"

// A step that moves the pixie by its deltas when it ends.
class VPlaceModifier : public VPixieModifier {
public:
    VPlaceModifier(double time, float deltaX, float deltaY, float deltaZ)
        : VPixieModifier(time), deltaX_(deltaX), deltaY_(deltaY), deltaZ_(deltaZ)
    {
    }

    void BeginStep(VPixie* pixie) override {}
    // MoveBy, which raises "OnMove".
    void EndStep(VPixie* pixie) override;

    float GetDeltaX() const { return deltaX_; }
    float GetDeltaY() const { return deltaY_; }
    float GetDeltaZ() const { return deltaZ_; }

protected:
    float deltaX_;
    float deltaY_;
    float deltaZ_;
};
