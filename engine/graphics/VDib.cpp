#include "engine/graphics/VDib.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

#include "engine/graphics/VDibRunCache.h"
#include "engine/stream/VException.h"

namespace {

void SetGreyRamp(VPaletteEntry* entries)
{
    for (int i = 0; i < kPaletteSize; ++i)
        entries[i] = VPaletteEntry{uint8_t(i), uint8_t(i), uint8_t(i), 0};
}

}  // namespace

VDib::VDib(int32_t width, int32_t height)
{
    ClearToEmpty();
    Create(width, height);
}

VDib::VDib(const VDib& other)
{
    ClearToEmpty();
    Create(other.GetWidth(), other.GetHeight());
    if (other.section_.bits)
        std::memcpy(section_.bits, other.section_.bits, size_t(GetStride()) * size_t(GetHeight()));
    if (other.hasPalette_)
        AdoptPalette(other);
}

VDib::~VDib()
{
    ReleaseAll();
    DeletePaletteHandle();
}

VIntRect VDib::GetBounds() const
{
    return {0, 0, GetWidth(), GetHeight()};
}

VRect VDib::GetRect() const
{
    return VRect(0, 0, float(GetWidth()), float(GetHeight()));
}

void VDib::ClearToEmpty()
{
    info_.header = VDibHeader();
    info_.header.sizeImage = 0;
    SetGreyRamp(info_.colors);
}

void VDib::Create(int32_t width, int32_t height)
{
    // Checked first, so a refused size leaves the bitmap as it was.
    if (width < 0 || height < 0 || width > kMaxDibSide || height > kMaxDibSide)
        throw VException("VDib::Create : Bitmap size " + std::to_string(width) + " x " +
                         std::to_string(height) + " out of range");
    DeletePaletteHandle();
    hasPalette_ = false;
    ReleaseAll();

    VDibInfo info;
    info.header.width = width;
    info.header.height = height;
    info.header.sizeImage = uint32_t(DibStride(width)) * uint32_t(height);
    SetGreyRamp(info.colors);

    VDibPlatform& platform = GetDibPlatform();
    VDibSection section = platform.CreateSection(info);
    if (!section.handle || !section.bits)
        throw VException("Out of memory while creating new DIB");
    info_ = info;
    section_ = section;
    platform_ = &platform;
}

void VDib::ReleaseAll()
{
    if (section_.handle) {
        while (dcDepth_ > 0)
            PopDC();
        platform_->DeleteSection(section_);
        section_ = VDibSection();
    }
    // Without pixel memory the bitmap has no extent, so nothing can address the old rows.
    info_.header.width = 0;
    info_.header.height = 0;
    info_.header.sizeImage = 0;
    runs_.reset();
}

void VDib::DeletePaletteHandle()
{
    if (paletteHandle_) {
        platform_->DeletePalette(paletteHandle_);
        paletteHandle_ = nullptr;
    }
}

void VDib::AdoptPalette(const VDib& source)
{
    std::memcpy(info_.colors, source.info_.colors, sizeof(info_.colors));
    // The platform palette was built from the old entries; a new one is made on request.
    DeletePaletteHandle();
    hasPalette_ = true;
}

bool VDib::LoadFromFile(const std::string& fileName)
{
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        throw VException("Cannot open bitmap file \"" + fileName + "\"");
    file.seekg(0, std::ios::end);
    std::streamoff size = file.tellg();
    file.seekg(0, std::ios::beg);
    int length = 0;
    LoadFromStream(file, length, size >= 0 ? int64_t(size) : kUnknownLength);
    return true;
}

void VDib::SaveToStream(std::ostream& stream)
{
    throw VException("VDib:SaveToStream");
}

void VDib::Draw(VDrawTarget* window, int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (!window || !section_.bits || GetWidth() == 0 || GetHeight() == 0)
        return;
    if (width == kDibOwnSize)
        width = GetWidth();
    if (height == kDibOwnSize)
        height = GetHeight();
    window->ShowBits(*this, x, y, width, height, 0, 0, GetWidth(), GetHeight());
}

void VDib::DrawRects(VDrawTarget* window, int32_t x, int32_t y, int32_t width, int32_t height,
                     const VRectList* rects)
{
    if (!window || !section_.bits)
        return;
    auto show = [&](VRect r) {
        // 1:1, so cutting the part to the bitmap cuts the target area alike.
        r = VRect(std::trunc(r.x), std::trunc(r.y), std::trunc(r.width), std::trunc(r.height));
        if (!r.Intersect(GetRect()))
            return;
        int32_t rx = int32_t(r.x), ry = int32_t(r.y), rw = int32_t(r.width), rh = int32_t(r.height);
        window->ShowBits(*this, rx, ry, rw, rh, rx, GetHeight() - ry - rh, rw, rh);
    };
    if (rects) {
        for (const VRect* r : *rects)
            if (r)
                show(*r);
        return;
    }
    if (width == kDibOwnSize)
        width = GetWidth();
    if (height == kDibOwnSize)
        height = GetHeight();
    show(VRect(float(x), float(y), float(width), float(height)));
}

void VDib::Fill(int32_t index)
{
    if (!section_.bits)
        return;
    std::memset(section_.bits, uint8_t(index), size_t(GetStride()) * size_t(GetHeight()));
    PixelsChanged();
}

void VDib::FillRect(const VRect& rect, int32_t index)
{
    VRect r = rect;
    if (!section_.bits || !r.Intersect(GetRect()))
        return;
    // Clamped again in whole pixels, so float rounding in the intersection cannot reach
    // beyond the bitmap.
    int32_t left = int32_t(r.x);
    int32_t top = int32_t(r.y);
    int32_t columns = std::min(int32_t(r.width), GetWidth() - left);
    int32_t rows = std::min(int32_t(std::ceil(r.height)), GetHeight() - top);
    if (columns <= 0)
        return;
    int32_t stride = GetStride();
    for (int32_t i = 0; i < rows; ++i) {
        uint8_t* row = section_.bits + size_t(stride) * size_t(GetHeight() - 1 - (top + i));
        std::memset(row + left, uint8_t(index), size_t(columns));
    }
    PixelsChanged();
}

uint8_t* VDib::GetBits()
{
    PixelsChanged();
    return section_.bits;
}

const uint8_t* VDib::GetPixelAddress(int32_t x, int32_t y) const
{
    if (x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight())
        throw VParamException("Attempt to get out of range pixel addr");
    if (!section_.bits)
        return nullptr;
    return section_.bits + size_t(GetStride()) * size_t(GetHeight() - 1 - y) + size_t(x);
}

uint8_t* VDib::GetPixelAddress(int32_t x, int32_t y)
{
    const uint8_t* address = static_cast<const VDib*>(this)->GetPixelAddress(x, y);
    PixelsChanged();
    return const_cast<uint8_t*>(address);
}

int32_t VDib::GetPixelIndex(int32_t x, int32_t y) const
{
    const uint8_t* address = GetPixelAddress(x, y);
    if (!address)
        throw VException("Out of range pixel coords");
    return *address;
}

int32_t VDib::GetPixel(int32_t x, int32_t y) const
{
    Assert(section_.bits != nullptr, "GetPixel: Invalid Pointer");
    return ColorOf(info_.colors[GetPixelIndex(x, y)]);
}

int32_t VDib::GetPaletteIndex(int32_t colour, bool nearest) const
{
    if (!hasPalette_)
        throw VParamException("VDib::GetPaletteIndex : No source palette.");
    if (!nearest) {
        for (int i = 0; i < kPaletteSize; ++i)
            if (ColorOf(info_.colors[i]) == (colour & 0xFFFFFF))
                return i;
        return -1;
    }
    int red = colour & 0xFF;
    int green = (colour >> 8) & 0xFF;
    int blue = (colour >> 16) & 0xFF;
    int best = 65535;
    int result = -1;
    for (int i = 0; i < kPaletteSize; ++i) {
        const VPaletteEntry& e = info_.colors[i];
        int dr = e.red - red, dg = e.green - green, db = e.blue - blue;
        int distance = dr * dr + dg * dg + db * db;
        if (distance == 0)
            return i;
        if (distance < best) {
            best = distance;
            result = i;
        }
    }
    return result;
}

VHandle VDib::GetPalette()
{
    if (!hasPalette_)
        return nullptr;
    if (!paletteHandle_) {
        VDibPlatform& platform = platform_ ? *platform_ : GetDibPlatform();
        platform_ = &platform;
        paletteHandle_ = platform.CreatePalette(info_.colors);
    }
    return paletteHandle_;
}

VHandle VDib::PushDC()
{
    if (dcDepth_ == 0) {
        if (!section_.handle)
            throw VException("Cannot get DC when no bitmap exists.");
        memoryDC_ = platform_->CreateSectionDC(section_, previousObject_);
    }
    ++dcDepth_;
    // Whatever draws through the context changes the pixels.
    PixelsChanged();
    return memoryDC_;
}

void VDib::PopDC()
{
    if (dcDepth_ <= 0) {
        // The depth stays at 0, so a later push still makes a context.
        dcDepth_ = 0;
        throw VException("Get/ReleaseDC stack: pops exceed pushes");
    }
    --dcDepth_;
    PixelsChanged();
    if (dcDepth_ == 0) {
        platform_->DeleteSectionDC(memoryDC_, previousObject_);
        memoryDC_ = nullptr;
        previousObject_ = nullptr;
    }
}

void VDib::PixelsChanged()
{
    runs_.reset();
}

const VDibRunCache& VDib::RunsFor(uint8_t transparentIndex) const
{
    if (!runs_ || runs_->Key() != transparentIndex)
        runs_ = std::make_unique<VDibRunCache>(section_.bits, GetWidth(), GetHeight(), GetStride(),
                                               transparentIndex);
    return *runs_;
}
