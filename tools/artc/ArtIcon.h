#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/artc/ArtBmp.h"

// The program icon: drawn from one square SVG at several sizes into 8-bit master-palette BMPs
// (keyed pure green), then packed into one Windows .ico.

// The sizes a Windows icon needs, from the small title-bar icon to the large Explorer view.
inline const std::vector<int> kArtIconSizes = {16, 24, 32, 48, 64, 128, 256};

// Sizes up to this one come from the simplified drawing: the full one turns to mush there.
constexpr int kArtIconSmallSide = 24;

// Renders `svg` (and `smallSvg` for the small sizes) at every size with rsvg-convert and
// writes "<svg's stem>-<size>.bmp" into outDir. Returns the files written.
std::vector<std::string> RenderIcon(const std::string& svg, const std::string& smallSvg,
                                    const std::string& paletteFile, const std::string& outDir);

// An .ico of 8-bit images: each keeps its palette; pixels of the key colour (pure green) are
// see-through through the icon's mask. Throws ArtError for an image wider than 256, not
// square, or without pure green in its palette.
std::vector<std::uint8_t> EncodeIco(const std::vector<ArtBmpInfo>& images);
void WriteIcoFile(const std::string& fileName, const std::vector<std::string>& bmpFiles);
