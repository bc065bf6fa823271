#include "engine/pixies/VPixie.h"

#include "engine/pixies/VPixieHost.h"
#include "engine/stream/VStreamReaders.h"

bool VPixie::LoadPropFromStream(const std::string& name, std::istream& stream, int& consumed)
{
    if (VComponent::LoadPropFromStream(name, stream, consumed))
        return true;
    if (SameText(name, "XPos")) {
        SetXPos(LoadCooFromStream(stream, consumed));
        return true;
    }
    if (SameText(name, "YPos")) {
        SetYPos(LoadCooFromStream(stream, consumed));
        return true;
    }
    if (SameText(name, "ZPos")) {
        SetZPos(LoadCooFromStream(stream, consumed));
        return true;
    }
    if (SameText(name, "Visible")) {
        SetVisible(IsTrue(LoadStringFromStream(stream, consumed)));
        return true;
    }
    return false;
}

void VPixie::SetPos(float x, float y, float z)
{
    SetXPos(x);
    SetYPos(y);
    SetZPos(z);
    FireEvent("OnMove", 0);
}

void VPixie::MoveBy(float dx, float dy, float dz)
{
    // Fetched Z first, then Y, then X, as subclasses with side effects in the getters expect.
    float z = GetZPos();
    float y = GetYPos();
    float x = GetXPos();
    SetPos(x + dx, y + dy, z + dz);
}

void VPixie::SequenceFinished(VPixieSequencer* sequencer)
{
    lastFinished_ = sequencer;
    FireEvent("OnFinishSequence", 0);
}

bool VPixie::UpdateDrawnRect(VRect& lastRect, float width, float height)
{
    VRect now(GetXPos(), GetYPos(), width, height);
    if (now == lastRect)
        return false;
    VPixieHost& host = CurrentPixieHost();
    if (!lastRect.IsEmpty())
        host.InvalidRect(lastRect);
    if (IsVisible()) {
        lastRect = now;
        host.InvalidRect(now);
    } else {
        // Only the width is cleared: the rectangle is empty, yet its place is remembered.
        lastRect.width = 0;
    }
    return true;
}
