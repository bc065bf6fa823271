#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "tools/artc/ArtImage.h"
#include "tools/artc/ArtPalette.h"

struct ArtQuantiseRules {
  // Pixels under half opacity become this index; -1 declares the image opaque, and such a
  // pixel is then an error.
  int keyIndex = -1;
  // Indices that only an exact, opaque match of their colour may produce (the blue marker of
  // the ship outline). The key index counts as one of them.
  std::vector<int> markers;
};

// Maps RGBA art onto the master palette. Nearest matches never land on an excluded index (the
// pure key colours), so anti-aliased edges next to a key stay hard instead of fringing.
class ArtQuantiser {
public:
  ArtQuantiser(const ArtPalette& palette, std::vector<int> excluded);

  int Nearest(const ArtRgb& rgb) const;
  // Throws ArtError for a see-through pixel of an opaque image.
  ArtIndexedImage Quantise(const ArtRgbaImage& image, const ArtQuantiseRules& rules) const;

private:
  const ArtPalette& palette_;
  std::vector<int> candidates_;
  mutable std::unordered_map<std::uint32_t, std::uint8_t> cache_;
};
