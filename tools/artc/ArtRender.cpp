#include "tools/artc/ArtRender.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "tools/artc/ArtBmp.h"
#include "tools/artc/ArtError.h"
#include "tools/artc/ArtPng.h"

namespace fs = std::filesystem;

namespace {
std::string Quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}
}  // namespace

ArtQuantiseRules RulesFor(const ArtImageEntry& image, const ArtManifest& m) {
  ArtQuantiseRules rules;
  rules.keyIndex = image.keyIndex;
  if (image.blueMarker) rules.markers.push_back(m.blueIndex);
  return rules;
}

ArtQuantiser MakeQuantiser(const ArtPalette& palette, const ArtManifest& m) {
  return ArtQuantiser(palette, {m.greenIndex, m.blueIndex});
}

void MatchPixels(ArtIndexedImage& image, const ArtImageEntry& entry, const ArtManifest& m) {
  const ArtImageEntry* other = m.FindPicture(entry.matchImage);
  if (!other) throw ArtError("matches unknown picture " + entry.matchImage);
  const ArtIndexedImage base = ReadBmp8File(m.PathOf(other->file)).image;
  if (entry.matchX < 0 || entry.matchY < 0 || entry.matchX + image.width > base.width ||
      entry.matchY + image.height > base.height)
    throw ArtError("matches a rectangle outside " + entry.matchImage);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      auto& p = image.pixels[std::size_t(y) * image.width + x];
      const std::uint8_t q = base.At(entry.matchX + x, entry.matchY + y);
      if (p != entry.keyIndex && q != m.greenIndex && q != m.blueIndex) p = q;
    }
}

int RenderAll(const ArtManifest& m, const std::string& workDir, const std::string& only) {
  const ArtPalette palette = ArtPalette::LoadFile(m.PathOf(m.palette));
  const ArtQuantiser quantiser = MakeQuantiser(palette, m);
  fs::create_directories(workDir);
  int written = 0;
  for (const ArtSource& source : m.sources) {
    if (!only.empty() && source.id != only) continue;
    const std::string png = workDir + "/" + source.id + ".png";
    const std::string command = "rsvg-convert -f png -o " + Quote(png) + " " + Quote(m.PathOf(source.svg));
    if (std::system(command.c_str()) != 0) throw ArtError("rsvg-convert failed on " + source.svg);
    const ArtRgbaImage sheet = ReadPng(png);
    if (sheet.width != source.width || sheet.height != source.height)
      throw ArtError(source.svg + " renders at " + std::to_string(sheet.width) + "x" +
                     std::to_string(sheet.height) + ", manifest says " + std::to_string(source.width) +
                     "x" + std::to_string(source.height));
    for (const ArtImageEntry* image : m.AllImages()) {
      if (image->source != source.id) continue;
      try {
        const ArtRgbaImage cut = Crop(sheet, image->x, image->y, image->width, image->height);
        ArtIndexedImage indexed = quantiser.Quantise(cut, RulesFor(*image, m));
        if (!image->matchImage.empty()) MatchPixels(indexed, *image, m);
        const std::string out = m.PathOf(image->file);
        fs::create_directories(fs::path(out).parent_path());
        WriteBmp8File(out, indexed, palette);
        ++written;
      } catch (const ArtError& e) {
        throw ArtError(image->name + " (" + source.id + "): " + e.what());
      }
    }
    std::cout << source.id << ": rendered\n";
  }
  return written;
}
