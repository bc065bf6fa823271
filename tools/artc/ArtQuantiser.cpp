#include "tools/artc/ArtQuantiser.h"

#include <algorithm>
#include <limits>
#include <string>

#include "tools/artc/ArtError.h"

ArtQuantiser::ArtQuantiser(const ArtPalette& palette, std::vector<int> excluded) : palette_(palette) {
  for (int i = 0; i < ArtPalette::kSize; ++i)
    if (std::find(excluded.begin(), excluded.end(), i) == excluded.end()) candidates_.push_back(i);
  if (candidates_.empty()) throw ArtError("every palette entry is excluded");
}

int ArtQuantiser::Nearest(const ArtRgb& rgb) const {
  const std::uint32_t key = (rgb.r << 16) | (rgb.g << 8) | rgb.b;
  if (auto hit = cache_.find(key); hit != cache_.end()) return hit->second;
  // Weighted RGB distance: the eye is most sensitive to green, least to red.
  int best = candidates_.front();
  long bestDistance = std::numeric_limits<long>::max();
  for (int i : candidates_) {
    const ArtRgb& c = palette_[i];
    const long dr = c.r - rgb.r, dg = c.g - rgb.g, db = c.b - rgb.b;
    const long d = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  cache_.emplace(key, static_cast<std::uint8_t>(best));
  return best;
}

ArtIndexedImage ArtQuantiser::Quantise(const ArtRgbaImage& image, const ArtQuantiseRules& rules) const {
  std::vector<int> markers = rules.markers;
  if (rules.keyIndex >= 0) markers.push_back(rules.keyIndex);
  ArtIndexedImage out;
  out.width = image.width;
  out.height = image.height;
  out.pixels.resize(std::size_t(image.width) * image.height);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* p = image.At(x, y);
      auto& dst = out.pixels[std::size_t(y) * image.width + x];
      if (p[3] < 128) {
        if (rules.keyIndex < 0)
          throw ArtError("see-through pixel at " + std::to_string(x) + "," + std::to_string(y) +
                         " in an opaque image");
        dst = static_cast<std::uint8_t>(rules.keyIndex);
        continue;
      }
      const ArtRgb rgb{p[0], p[1], p[2]};
      int index = -1;
      if (p[3] == 255)
        for (int m : markers)
          if (palette_[m] == rgb) index = m;
      dst = static_cast<std::uint8_t>(index >= 0 ? index : Nearest(rgb));
    }
  }
  return out;
}
