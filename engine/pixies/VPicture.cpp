#include "engine/pixies/VPicture.h"

#include "engine/pixies/VPixieHost.h"
#include "engine/pixies/VStreamBounds.h"
#include "engine/pixies/VSurfacePainter.h"
#include "engine/stream/VException.h"
#include "engine/stream/VStreamReaders.h"
#include "engine/stream/VStreamWriter.h"

VPicture::VPicture(std::string name, VComponent* owner)
    : VPixie(std::move(name), owner), surface_(CurrentPixieHost().CreateSurface(1, 1))
{
    Assert(surface_ != nullptr, "VPicture " + GetName() + ": the stage made no surface.");
}

bool VPicture::LoadPropFromStream(const std::string& name, std::istream& stream, int& consumed)
{
    if (VPixie::LoadPropFromStream(name, stream, consumed))
        return true;
    if (SameText(name, "Surface")) {
        consumed = LoadBitmapValue(*surface_, stream, "Picture " + GetName() + " Surface");
        hasBitmap_ = true;
        // A "Transparent" that came before the bitmap had no palette to search yet.
        if (transparent_)
            surface_->SetTransparentColor(transColor_);
        return true;
    }
    if (SameText(name, "Transparent")) {
        SetTransparent(IsTrue(LoadStringFromStream(stream, consumed)));
        return true;
    }
    if (SameText(name, "TransColor")) {
        SetTransColor(LoadColorFromStream(stream, consumed));
        return true;
    }
    return false;
}

void VPicture::SaveToStream(std::ostream& stream)
{
    // The property notifications carry nothing, so the block stays empty.
    std::string record = CountedToken("VPicture") + CountedToken(GetName()) + NumberToken(0);
    stream.write(record.data(), static_cast<std::streamsize>(record.size()));
}

void VPicture::SetTransparent(bool on)
{
    transparent_ = on;
    // Before the bitmap there is no palette to find the colour in; loading it applies the flag.
    if (hasBitmap_ || !on)
        surface_->SetTransparentColor(on ? transColor_ : -1);
}

bool VPicture::UpdateRect()
{
    return UpdateDrawnRect(lastRect_, GetWidth(), GetHeight());
}

void VPicture::Draw(VSurface& target, float x, float y, const VRectList* clipRects)
{
    PaintSurface(target, *surface_, x, y, clipRects, false, false);
}
