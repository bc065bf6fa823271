#include "engine/graphics/VDibPlatform.h"

#include <cstring>
#include <new>

namespace {

// Rows start 64-byte aligned when the stride allows, which the wide copy loops like.
constexpr std::align_val_t kPixelAlignment{64};

// Pixels in the engine's own memory. The section handle is the pixel pointer itself; the
// palette handle is a heap copy of the entries; the "device context" is the section handle,
// enough for the push/pop bookkeeping and for backends that draw text into the pixels.
class VMemoryDibPlatform : public VDibPlatform {
public:
    VDibSection CreateSection(const VDibInfo& info) override
    {
        const VDibHeader& h = info.header;
        if (h.width < 0 || h.height < 0 || h.width > kMaxDibSide || h.height > kMaxDibSide)
            return {};
        // At least one byte, so an empty bitmap still has a section to lend.
        size_t bytes = size_t(DibStride(h.width)) * size_t(h.height);
        if (bytes == 0)
            bytes = 1;
        auto* bits = static_cast<uint8_t*>(::operator new(bytes, kPixelAlignment, std::nothrow));
        if (!bits)
            return {};
        std::memset(bits, 0, bytes);
        return {bits, bits};
    }

    void DeleteSection(VDibSection section) override
    {
        ::operator delete(section.bits, kPixelAlignment);
    }

    VHandle CreatePalette(const VPaletteEntry* entries) override
    {
        auto* copy = new VPaletteEntry[kPaletteSize];
        std::memcpy(copy, entries, sizeof(VPaletteEntry) * kPaletteSize);
        return copy;
    }

    void DeletePalette(VHandle palette) override { delete[] static_cast<VPaletteEntry*>(palette); }

    VHandle CreateSectionDC(VDibSection section, VHandle& previous) override
    {
        previous = nullptr;
        return section.handle;
    }

    void DeleteSectionDC(VHandle dc, VHandle previous) override {}
};

VMemoryDibPlatform& MemoryPlatform()
{
    static VMemoryDibPlatform platform;
    return platform;
}

VDibPlatform* currentPlatform = nullptr;

}  // namespace

VDibPlatform& GetDibPlatform()
{
    return currentPlatform ? *currentPlatform : MemoryPlatform();
}

void SetDibPlatform(VDibPlatform* platform)
{
    currentPlatform = platform;
}
