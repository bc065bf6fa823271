#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "engine/graphics/VDib.h"

// A palette laid out like the show's master palette: a 32-step grey ramp at 0-31 (0 black,
// 31 white), then strongly coloured entries that no grey blend comes near.
inline void SetTestPalette(VDib& dib)
{
    VPaletteEntry* colours = dib.GetPaletteEntries();
    for (int i = 0; i < 32; ++i) {
        auto v = uint8_t((i * 255 + 15) / 31);
        colours[i] = VPaletteEntry{v, v, v, 0};
    }
    for (int i = 32; i < kPaletteSize; ++i) {
        int k = i - 32;
        colours[i] = VPaletteEntry{uint8_t(k % 3 == 0 ? 230 : 20 + k / 3), uint8_t(k % 3 == 1 ? 230 : 10),
                                   uint8_t(k % 3 == 2 ? 230 : 40 + k / 4), 0};
    }
}

// The show's master palette when the source tree has it, else the test palette.
inline void SetMasterPalette(VDib& dib, const std::string& masterFile)
{
    SetTestPalette(dib);
    std::ifstream in(masterFile);
    std::string line;
    int index = 0;
    while (index < kPaletteSize && std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        int r = 0, g = 0, b = 0;
        if (fields >> r >> g >> b)
            dib.GetPaletteEntries()[index++] = VPaletteEntry{uint8_t(b), uint8_t(g), uint8_t(r), 0};
    }
}

inline bool IsGrey(const VDib& dib, int index)
{
    const VPaletteEntry& e = dib.GetPaletteEntries()[index];
    return e.red == e.green && e.green == e.blue;
}

inline std::unique_ptr<VDib> FilledDib(int width, int height, uint8_t index)
{
    auto dib = std::make_unique<VDib>(width, height);
    SetTestPalette(*dib);
    dib->Fill(index);
    return dib;
}
