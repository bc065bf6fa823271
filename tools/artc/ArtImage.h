#pragma once

#include <cstdint>
#include <vector>

// Straight (not premultiplied) RGBA, rows top-down.
struct ArtRgbaImage {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgba;
  const std::uint8_t* At(int x, int y) const { return &rgba[(std::size_t(y) * width + x) * 4]; }
  std::uint8_t* At(int x, int y) { return &rgba[(std::size_t(y) * width + x) * 4]; }
};

// Palette indices, rows top-down.
struct ArtIndexedImage {
  int width = 0, height = 0;
  std::vector<std::uint8_t> pixels;
  std::uint8_t At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

// The rectangle (x, y, w, h) of an image; throws ArtError when it leaves the image.
ArtRgbaImage Crop(const ArtRgbaImage& image, int x, int y, int w, int h);
