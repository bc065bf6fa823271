#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/VBmpWriter.h"
#include "engine/graphics/VDib.h"
#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"

// Bitmaps for the tests: made in memory, then passed through the BMP writer and reader,
// which is the way a bitmap comes to have a meaningful palette.

inline VPaletteEntry TestColour(int i)
{
    return VPaletteEntry{uint8_t(i * 7 + 3), uint8_t(255 - i), uint8_t(i), 0};
}

// A bitmap whose pixel (x, y) (top-down) is pixel(x, y), with the TestColour palette.
inline std::unique_ptr<VDib> MakeDib(int width, int height,
                                     const std::function<uint8_t(int, int)>& pixel)
{
    VDib made(width, height);
    for (int i = 0; i < kPaletteSize; ++i)
        made.GetPaletteEntries()[i] = TestColour(i);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            *made.GetPixelAddress(x, y) = pixel(x, y);
    auto loaded = std::make_unique<VDib>(1, 1);
    std::string bytes = BmpBytes(made);
    VMemoryStream stream(bytes);
    int length = 0;
    loaded->LoadFromStream(stream, length);
    return loaded;
}

// Every byte of the pixel memory, padding included.
inline std::vector<uint8_t> Bytes(const VDib& dib)
{
    const uint8_t* bits = dib.GetBits();
    return std::vector<uint8_t>(bits, bits + size_t(dib.GetStride()) * size_t(dib.GetHeight()));
}

// Runs `body` and returns the message of the VException it throws ("" when none).
template <typename F>
std::string MessageOf(F&& body)
{
    try {
        body();
    } catch (const VException& e) {
        return e.GetMessage();
    }
    return "";
}
