// Reads arbitrary bytes as a BMP image, then composes what was read into a small bitmap:
// 1:1, stretched both ways, mirrored and with a transparent index.
#include <cstddef>
#include <cstdint>

#include "engine/graphics/VDib.h"
#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VMemoryStream in(data, size);
    VDib image(3, 2);
    int length = 0;
    try {
        // Odd sizes read as if embedded in a stream value of exactly this many bytes, even ones
        // with the length unknown, as from a file.
        image.LoadFromStream(in, length, size % 2 ? int64_t(size) : kUnknownLength);
    } catch (const VException&) {
        return 0;  // refused with a message: expected
    }
    if (length <= 0 || size_t(length) > size)
        __builtin_trap();  // claimed more bytes than there were

    VDib frame(37, 23);
    const int32_t key = image.GetPixelIndex(0, 0);
    const float w = float(image.GetWidth()), h = float(image.GetHeight());
    image.CopyBits(&frame, 0, 0, image.GetWidth(), image.GetHeight(), 0, 0, -1);
    image.CopyBits(&frame, VRect(), VRect(-5, 3, 60, 11), key);
    image.CopyBits(&frame, VRect(0, 0, w, h), VRect(30, -2, -9, -40), -1);
    image.CopyBits(&frame, VRect(w / 2, 0, w / 2, h), VRect(1, 1, w, -h), key);
    (void)frame.GetPaletteIndex(image.GetPixel(image.GetWidth() - 1, image.GetHeight() - 1), true);
    return 0;
}
