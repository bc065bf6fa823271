#include "platform/headless/VIndexedImage.h"

#include <cstring>

VIndexedImage ImageFromDib(const VDib& dib)
{
    VIndexedImage image;
    image.width = dib.GetWidth();
    image.height = dib.GetHeight();
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    for (int32_t y = 0; y < image.height && image.width > 0; ++y)
        std::memcpy(&image.pixels[static_cast<std::size_t>(y) * image.width],
                    dib.GetPixelAddress(0, y), static_cast<std::size_t>(image.width));
    const VPaletteEntry* colors = dib.GetPaletteEntries();
    for (int i = 0; i < kPaletteSize; ++i)
        image.palette[i] = colors[i];
    return image;
}

std::unique_ptr<VDib> DibFromImage(const VIndexedImage& image)
{
    auto dib = std::make_unique<VDib>(image.width, image.height);
    VPaletteEntry* colors = dib->GetPaletteEntries();
    for (int i = 0; i < kPaletteSize; ++i)
        colors[i] = i < image.paletteSize ? image.palette[i] : VPaletteEntry{};
    for (int32_t y = 0; y < image.height && image.width > 0; ++y)
        std::memcpy(dib->GetPixelAddress(0, y), &image.pixels[static_cast<std::size_t>(y) * image.width],
                    static_cast<std::size_t>(image.width));
    return dib;
}
