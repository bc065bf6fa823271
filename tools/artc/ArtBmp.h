#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/artc/ArtImage.h"
#include "tools/artc/ArtPalette.h"

// Little-endian writers, for the BMP and icon encoders.
void ArtPut16(std::vector<std::uint8_t>& out, std::uint32_t v);
void ArtPut32(std::vector<std::uint8_t>& out, std::uint32_t v);

// An 8-bit BMP as the engine reads it: 14-byte file header, 40-byte info header, 256 palette
// entries (B, G, R, 0), bottom-up rows padded to 4 bytes, no compression.
std::vector<std::uint8_t> EncodeBmp8(const ArtIndexedImage& image, const ArtPalette& palette);
void WriteBmp8File(const std::string& fileName, const ArtIndexedImage& image,
                   const ArtPalette& palette);

struct ArtBmpInfo {
  std::uint32_t headerSize = 0;
  int bitsPerPixel = 0;
  std::uint32_t compression = 0;
  int coloursUsed = 0;  // palette entries present in the file
  bool bottomUp = true;
  std::vector<ArtRgb> palette;
  ArtIndexedImage image;
};

// Reads 8-bit uncompressed BMPs only, checking every size against the data; anything else
// throws ArtError naming the problem.
ArtBmpInfo DecodeBmp8(const std::vector<std::uint8_t>& bytes, const std::string& origin = "bitmap");
ArtBmpInfo ReadBmp8File(const std::string& fileName);
