#include "tools/artc/ArtPng.h"

#include <png.h>

#include <cstring>

#include "tools/artc/ArtError.h"

namespace {
constexpr int kMaxSide = 16384;
}

ArtRgbaImage ReadPng(const std::string& fileName) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, fileName.c_str()))
    throw ArtError("cannot read PNG " + fileName + ": " + png.message);
  if (png.width == 0 || png.height == 0 || png.width > kMaxSide || png.height > kMaxSide) {
    png_image_free(&png);
    throw ArtError("PNG " + fileName + " has an unusable size");
  }
  png.format = PNG_FORMAT_RGBA;
  ArtRgbaImage image;
  image.width = static_cast<int>(png.width);
  image.height = static_cast<int>(png.height);
  image.rgba.resize(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, image.rgba.data(), 0, nullptr))
    throw ArtError("cannot decode PNG " + fileName + ": " + png.message);
  return image;
}

void WritePng(const std::string& fileName, const ArtRgbaImage& image) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_RGBA;
  if (!png_image_write_to_file(&png, fileName.c_str(), 0, image.rgba.data(), 0, nullptr))
    throw ArtError("cannot write PNG " + fileName + ": " + png.message);
}
