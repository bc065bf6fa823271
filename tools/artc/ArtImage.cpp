#include "tools/artc/ArtImage.h"

#include <cstring>
#include <string>

#include "tools/artc/ArtError.h"

ArtRgbaImage Crop(const ArtRgbaImage& image, int x, int y, int w, int h) {
  if (x < 0 || y < 0 || w <= 0 || h <= 0 || x > image.width - w || y > image.height - h)
    throw ArtError("rectangle " + std::to_string(x) + "," + std::to_string(y) + "," +
                   std::to_string(w) + "," + std::to_string(h) + " leaves the " +
                   std::to_string(image.width) + "x" + std::to_string(image.height) + " source");
  ArtRgbaImage out;
  out.width = w;
  out.height = h;
  out.rgba.resize(std::size_t(w) * h * 4);
  for (int row = 0; row < h; ++row)
    std::memcpy(out.At(0, row), image.At(x, y + row), std::size_t(w) * 4);
  return out;
}
