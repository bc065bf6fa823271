#pragma once

// What the seed tools share: small test images and writing a seed corpus into a folder.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/graphics/VBmpWriter.h"
#include "engine/graphics/VDib.h"

namespace seed {

inline void Put(std::string& s, std::size_t at, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        s[at + std::size_t(i)] = char((value >> (8 * i)) & 0xFF);
}

// An 8-bit BMP of a diagonal pattern with only `colours` palette entries: the mutator then
// spends its work on the structure around the image rather than on a kilobyte of palette.
inline std::string Bmp(int width, int height, int shift, int colours = 16)
{
    VDib dib(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            *dib.GetPixelAddress(x, y) = static_cast<uint8_t>((x * 3 + y + shift) % colours);
    std::string s = BmpBytes(dib);
    if (colours < kPaletteSize) {
        s.erase(14 + 40 + 4 * std::size_t(colours), 4 * std::size_t(kPaletteSize - colours));
        Put(s, 2, uint32_t(s.size()), 4);
        Put(s, 10, uint32_t(14 + 40 + 4 * colours), 4);
        Put(s, 46, uint32_t(colours), 4);
    }
    return s;
}

// Writes seeds[i] as DIR/seed<i><extension>; false (with a message) when one cannot be written.
inline bool WriteSeeds(const char* tool, const std::string& dir, const std::vector<std::string>& seeds,
                       const std::string& extension)
{
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        std::string path = dir + "/seed" + std::to_string(i) + extension;
        std::FILE* f = std::fopen(path.c_str(), "wb");
        bool written = f && std::fwrite(seeds[i].data(), 1, seeds[i].size(), f) == seeds[i].size();
        if (f && std::fclose(f) != 0)
            written = false;
        if (!written) {
            std::fprintf(stderr, "%s: cannot write %s\n", tool, path.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace seed
