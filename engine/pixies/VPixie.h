#pragma once

#include <string>

#include "engine/graphics/VRect.h"
#include "engine/graphics/VSurface.h"
#include "engine/stream/VComponent.h"

class VPixieSequencer;

// Everything the stage paints: a position, a depth and a visibility.
class VPixie : public VComponent {
public:
    using VComponent::VComponent;

    bool LoadPropFromStream(const std::string& name, std::istream& stream, int& consumed) override;
    std::string GetClassName() const override { return "VPixie"; }

    virtual float GetXPos() const = 0;
    virtual void SetXPos(float x) = 0;
    virtual float GetYPos() const = 0;
    virtual void SetYPos(float y) = 0;
    // Depth: higher is painted first, lower lies in front.
    virtual float GetZPos() const = 0;
    virtual void SetZPos(float z) = 0;
    virtual bool IsVisible() const { return visible_; }
    virtual void SetVisible(bool visible) { visible_ = visible; }
    virtual float GetLeft() const { return GetXPos(); }
    virtual float GetTop() const { return GetYPos(); }
    // The one positioning call that raises "OnMove".
    virtual void SetPos(float x, float y, float z);
    virtual void SetXY(float x, float y) { SetPos(x, y, GetZPos()); }
    virtual void MoveBy(float dx, float dy, float dz);
    // Recomputes the drawn rectangle and reports the old and the new one to the stage.
    virtual bool UpdateRect() = 0;
    virtual void Draw(VSurface& target, float x, float y, const VRectList* clipRects) = 0;
    virtual void SequenceFinished(VPixieSequencer* sequencer);

    VPixieSequencer* GetLastFinishedSequencer() const { return lastFinished_; }

protected:
    // The shared UpdateRect of pixies that paint one image of (width, height) at their
    // position: reports the old and the new rectangle to the stage; false when unchanged.
    bool UpdateDrawnRect(VRect& lastRect, float width, float height);

private:
    bool visible_ = true;
    VPixieSequencer* lastFinished_ = nullptr;
};
