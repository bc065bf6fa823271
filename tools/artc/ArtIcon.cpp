#include "tools/artc/ArtIcon.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tools/artc/ArtError.h"
#include "tools/artc/ArtPng.h"
#include "tools/artc/ArtQuantiser.h"

namespace fs = std::filesystem;

namespace {

constexpr ArtRgb kGreen{0, 255, 0};
constexpr ArtRgb kBlue{0, 0, 255};

std::size_t Stride(std::size_t bytes) { return (bytes + 3) & ~std::size_t(3); }

// One icon image: a bitmap header of twice the height (colours, then mask), the palette, the
// colour rows and the mask rows, both bottom-up.
std::vector<std::uint8_t> IconImage(const ArtBmpInfo& bmp, int key) {
  const ArtIndexedImage& image = bmp.image;
  const std::size_t colourStride = Stride(std::size_t(image.width));
  const std::size_t maskStride = Stride((std::size_t(image.width) + 7) / 8);
  std::vector<std::uint8_t> out;
  ArtPut32(out, 40);
  ArtPut32(out, std::uint32_t(image.width));
  ArtPut32(out, std::uint32_t(image.height) * 2);
  ArtPut16(out, 1);
  ArtPut16(out, 8);
  ArtPut32(out, 0);
  ArtPut32(out, std::uint32_t((colourStride + maskStride) * image.height));
  ArtPut32(out, 0);
  ArtPut32(out, 0);
  ArtPut32(out, 256);
  ArtPut32(out, 0);
  for (int i = 0; i < 256; ++i) {
    const ArtRgb c = i < int(bmp.palette.size()) ? bmp.palette[i] : ArtRgb{};
    out.insert(out.end(), {c.b, c.g, c.r, 0});
  }
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t p = image.At(x, y);
      // Behind the mask a see-through pixel must be black, or it would tint the desktop.
      out.push_back(p == key ? 0 : p);
    }
    out.resize(out.size() + colourStride - std::size_t(image.width), 0);
  }
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(maskStride, 0);
    for (int x = 0; x < image.width; ++x)
      if (image.At(x, y) == key) row[std::size_t(x) / 8] |= std::uint8_t(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

int KeyOf(const ArtBmpInfo& bmp) {
  for (std::size_t i = 0; i < bmp.palette.size(); ++i)
    if (bmp.palette[i] == kGreen) return int(i);
  return -1;
}

}  // namespace

std::vector<std::string> RenderIcon(const std::string& svg, const std::string& smallSvg,
                                    const std::string& paletteFile, const std::string& outDir) {
  const ArtPalette palette = ArtPalette::LoadFile(paletteFile);
  const int green = palette.FindExact(kGreen);
  const int blue = palette.FindExact(kBlue);
  if (green < 0) throw ArtError(paletteFile + " has no pure green for the icon's see-through");
  const ArtQuantiser quantiser(palette, {green, blue});
  ArtQuantiseRules rules;
  rules.keyIndex = green;
  fs::create_directories(outDir);
  std::vector<std::string> written;
  const std::string stem = fs::path(svg).stem().string();
  for (int size : kArtIconSizes) {
    const std::string png = (fs::path(outDir) / (stem + "-render.png")).string();
    const std::string side = std::to_string(size);
    const std::string& source = size <= kArtIconSmallSide ? smallSvg : svg;
    const std::string command = "rsvg-convert -f png -w " + side + " -h " + side + " -o '" + png +
                                "' '" + source + "'";
    if (std::system(command.c_str()) != 0) throw ArtError("rsvg-convert failed on " + source);
    const ArtRgbaImage rendered = ReadPng(png);
    fs::remove(png);
    if (rendered.width != size || rendered.height != size)
      throw ArtError(source + " is not square: it renders at " + std::to_string(rendered.width) +
                     "x" + std::to_string(rendered.height));
    const std::string out = (fs::path(outDir) / (stem + "-" + side + ".bmp")).string();
    WriteBmp8File(out, quantiser.Quantise(rendered, rules), palette);
    written.push_back(out);
  }
  return written;
}

std::vector<std::uint8_t> EncodeIco(const std::vector<ArtBmpInfo>& images) {
  if (images.empty() || images.size() > 0xFFFF) throw ArtError("an icon needs 1 to 65535 images");
  std::vector<std::vector<std::uint8_t>> bodies;
  for (const ArtBmpInfo& bmp : images) {
    const int w = bmp.image.width, h = bmp.image.height;
    if (w != h || w < 1 || w > 256)
      throw ArtError("an icon image must be square and 1 to 256 pixels, not " +
                     std::to_string(w) + "x" + std::to_string(h));
    const int key = KeyOf(bmp);
    if (key < 0) throw ArtError("an icon image's palette has no pure green to see through");
    bodies.push_back(IconImage(bmp, key));
  }
  std::vector<std::uint8_t> out;
  ArtPut16(out, 0);
  ArtPut16(out, 1);  // icon, not cursor
  ArtPut16(out, std::uint32_t(images.size()));
  std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int side = images[i].image.width;
    out.push_back(std::uint8_t(side == 256 ? 0 : side));  // 0 stands for 256
    out.push_back(std::uint8_t(side == 256 ? 0 : side));
    out.push_back(0);  // 256 colours
    out.push_back(0);
    ArtPut16(out, 1);
    ArtPut16(out, 8);
    ArtPut32(out, std::uint32_t(bodies[i].size()));
    ArtPut32(out, offset);
    offset += std::uint32_t(bodies[i].size());
  }
  for (const auto& body : bodies) out.insert(out.end(), body.begin(), body.end());
  return out;
}

void WriteIcoFile(const std::string& fileName, const std::vector<std::string>& bmpFiles) {
  std::vector<ArtBmpInfo> images;
  for (const std::string& file : bmpFiles) {
    try {
      images.push_back(ReadBmp8File(file));
    } catch (const ArtError& e) {
      throw ArtError(file + ": " + e.what());
    }
  }
  const std::vector<std::uint8_t> bytes = EncodeIco(images);
  std::ofstream out(fileName, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) throw ArtError("cannot write " + fileName);
}
