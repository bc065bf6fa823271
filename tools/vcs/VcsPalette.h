#pragma once

#include <array>
#include <filesystem>

#include "engine/graphics/VDibFormat.h"

// The show's master palette, every image in a stream is drawn with it.
using VcsPalette = std::array<VPaletteEntry, kPaletteSize>;

// Reads the palette's text source: one "r g b  # name" line per index, blank lines and lines
// starting with '#' skipped. Exactly 256 colours; VcsFileError names the file and the line.
VcsPalette LoadPalette(const std::filesystem::path& path);

// The copy in the source tree, which a build passes explicitly with --palette.
std::filesystem::path DefaultPalettePath();
