#include "engine/graphics/VDibSurface.h"

#include "engine/stream/VException.h"

namespace {

// A float size truncated for the bitmap; what cannot be a size becomes one the bitmap refuses.
int32_t SizeFrom(float value)
{
    if (!(value > -1.0f))
        return -1;
    if (value >= float(kMaxDibSide) + 1.0f)
        return kMaxDibSide + 1;
    return int32_t(value);
}

// A float pixel coordinate truncated; what is far outside becomes -1, which the bitmap refuses.
int32_t CoordinateFrom(float value)
{
    if (!(value > -1.0f && value < float(kMaxDibSide) + 1.0f))
        return -1;
    return int32_t(value);
}

}  // namespace

VDibSurface::VDibSurface(float width, float height)
    : dib_(std::make_unique<VDib>(SizeFrom(width), SizeFrom(height)))
{
}

void VDibSurface::LoadFromStream(std::istream& stream, int& length, int64_t available)
{
    dib_->LoadFromStream(stream, length, available);
}

void VDibSurface::CopyFrom(const VSurface& surface)
{
    const auto* other = dynamic_cast<const VDibSurface*>(&surface);
    if (!other || other == this)
        return;
    dib_ = std::make_unique<VDib>(*other->dib_);
    transparentIndex_ = other->transparentIndex_;
}

float VDibSurface::GetWidth() const
{
    return float(dib_->GetWidth());
}

float VDibSurface::GetHeight() const
{
    return float(dib_->GetHeight());
}

int32_t VDibSurface::GetPixel(float x, float y) const
{
    return dib_->GetPixel(CoordinateFrom(x), CoordinateFrom(y));
}

void VDibSurface::Resize(float width, float height, bool stretch)
{
    auto resized = std::make_unique<VDib>(SizeFrom(width), SizeFrom(height));
    if (dib_->HasPalette()) {
        if (stretch)
            dib_->CopyBits(resized.get(), GetRect(), resized->GetRect(), -1);
        else
            dib_->CopyBits(resized.get(), 0, 0, dib_->GetWidth(), dib_->GetHeight(), 0, 0, -1);
    }
    dib_ = std::move(resized);
}

bool VDibSurface::LoadFromFile(const std::string& name)
{
    dib_->LoadFromFile(name);
    return true;
}

void VDibSurface::SaveToStream(std::ostream& stream)
{
    throw VException("VDib:SaveToStream not implemented");
}

int32_t VDibSurface::GetTransparentColor() const
{
    if (transparentIndex_ < 0)
        return kNoColor;
    return ColorOf(dib_->GetPaletteEntries()[transparentIndex_]);
}

void VDibSurface::SetTransparentColor(int32_t colour)
{
    transparentIndex_ = colour == kNoColor ? -1 : dib_->GetPaletteIndex(colour, true);
}

void VDibSurface::Draw(const VSurface& source, float srcX, float srcY, float srcW, float srcH,
                       float destX, float destY, float destW, float destH, bool mirrorX,
                       bool mirrorY)
{
    const auto* from = dynamic_cast<const VDibSurface*>(&source);
    if (!from)
        return;
    if (mirrorX)
        destW = -destW;
    if (mirrorY)
        destH = -destH;
    from->dib_->CopyBits(dib_.get(), VRect(srcX, srcY, srcW, srcH),
                         VRect(destX, destY, destW, destH), from->transparentIndex_, 0, 0, 0);
}

int32_t VDibSurface::FillIndex(int32_t colour) const
{
    int32_t index = dib_->GetPaletteIndex(colour, true);
    return index < 0 ? 255 : index;
}

void VDibSurface::FillRect(const VRect& rect, int32_t colour)
{
    dib_->FillRect(rect, FillIndex(colour));
}

void VDibSurface::Fill(int32_t colour)
{
    dib_->Fill(FillIndex(colour));
}

VRect VDibSurface::GetRect() const
{
    return VRect(0, 0, GetWidth(), GetHeight());
}
