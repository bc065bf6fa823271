// Writes a seed corpus of BMP images for fuzz_bmp into the folder given: 8-bit Windows and
// OS/2 images of several shapes, one with a short palette, and truncated copies.
#include <cstdio>
#include <string>
#include <vector>

#include "engine/graphics/VBmpWriter.h"
#include "engine/graphics/VDib.h"
#include "engine/stream/VMemoryStream.h"
#include "fuzz/SeedFiles.h"

namespace {

std::string WindowsBmp(int width, int height)
{
    VDib dib(width, height);
    for (int i = 0; i < kPaletteSize; ++i)
        dib.GetPaletteEntries()[i] = VPaletteEntry{uint8_t(i), uint8_t(i * 5), uint8_t(255 - i), 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            *dib.GetPixelAddress(x, y) = uint8_t((x * 3 + y * 7) % 5 == 0 ? 0 : x + y);
    return BmpBytes(dib);
}

using seed::Put;

// The writer makes Windows headers only; the 12-byte OS/2 form is laid out here.
std::string Os2Bmp(int width, int height)
{
    const size_t offset = 14 + 12 + 3 * 256;
    std::string s(offset, '\0');
    s[0] = 'B';
    s[1] = 'M';
    Put(s, 10, uint32_t(offset), 4);
    Put(s, 14, 12, 4);
    Put(s, 18, uint32_t(width), 2);
    Put(s, 20, uint32_t(height), 2);
    Put(s, 22, 1, 2);
    Put(s, 24, 8, 2);
    for (int i = 0; i < 256; ++i)
        Put(s, 26 + 3 * size_t(i), uint32_t(i * 0x010203), 3);
    for (int i = 0; i < DibStride(width) * height; ++i)
        s.push_back(char(i % 7));
    return s;
}

// A Windows image with `entries` palette entries and the pixels right after them.
std::string ShortPalette(int entries)
{
    std::string s = WindowsBmp(6, 4);
    s.erase(14 + 40 + 4 * size_t(entries), 4 * size_t(256 - entries));
    Put(s, 10, uint32_t(14 + 40 + 4 * entries), 4);
    Put(s, 46, uint32_t(entries), 4);
    return s;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: seed_bmp DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::vector<std::string> seeds = {WindowsBmp(1, 1), WindowsBmp(5, 3), WindowsBmp(16, 9),
                                      WindowsBmp(33, 2), Os2Bmp(3, 2), Os2Bmp(9, 5),
                                      ShortPalette(2), ShortPalette(16)};
    const size_t whole = seeds.size();
    for (size_t i = 0; i < whole; ++i) {
        seeds.push_back(seeds[i].substr(0, seeds[i].size() - 1));
        seeds.push_back(seeds[i].substr(0, seeds[i].size() / 2));
    }
    return seed::WriteSeeds("seed_bmp", dir, seeds, ".bmp") ? 0 : 1;
}
