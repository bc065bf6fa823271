#include "tools/artc/ArtSheet.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

#include "tools/artc/ArtBmp.h"
#include "tools/artc/ArtError.h"

namespace {

std::string Base64(const std::vector<std::uint8_t>& data) {
  static const char* table = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (std::size_t i = 0; i < data.size(); i += 3) {
    std::uint32_t v = data[i] << 16;
    if (i + 1 < data.size()) v |= data[i + 1] << 8;
    if (i + 2 < data.size()) v |= data[i + 2];
    out += table[(v >> 18) & 63];
    out += table[(v >> 12) & 63];
    out += i + 1 < data.size() ? table[(v >> 6) & 63] : '=';
    out += i + 2 < data.size() ? table[v & 63] : '=';
  }
  return out;
}

std::vector<std::uint8_t> PngBytes(const ArtIndexedImage& image, const std::vector<ArtRgb>& palette, int key, int scale) {
  const int w = image.width * scale, h = image.height * scale;
  std::vector<std::uint8_t> rgb(std::size_t(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int index = image.At(x / scale, y / scale);
      std::uint8_t* p = &rgb[(std::size_t(y) * w + x) * 3];
      if (index == key) {
        const std::uint8_t v = ((x / 6 + y / 6) & 1) ? 205 : 240;
        p[0] = p[1] = p[2] = v;
      } else {
        p[0] = palette[index].r;
        p[1] = palette[index].g;
        p[2] = palette[index].b;
      }
    }
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = w;
  png.height = h;
  png.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&png, nullptr, &size, 0, rgb.data(), 0, nullptr);
  std::vector<std::uint8_t> out(size);
  if (!png_image_write_to_memory(&png, out.data(), &size, 0, rgb.data(), 0, nullptr))
    throw ArtError(std::string("cannot encode a PNG: ") + png.message);
  out.resize(size);
  return out;
}

// Paints `layer` onto `canvas` at (x, y), skipping its key pixels.
void Paint(ArtIndexedImage& canvas, const ArtIndexedImage& layer, int x, int y, int key) {
  for (int row = 0; row < layer.height; ++row)
    for (int col = 0; col < layer.width; ++col) {
      const int cx = x + col, cy = y + row;
      const std::uint8_t p = layer.At(col, row);
      if (p == key || cx < 0 || cy < 0 || cx >= canvas.width || cy >= canvas.height) continue;
      canvas.pixels[std::size_t(cy) * canvas.width + cx] = p;
    }
}

ArtIndexedImage Load(const ArtManifest& m, const ArtImageEntry* e) {
  if (!e) throw ArtError("contact sheet: an image of the ship is missing");
  return ReadBmp8File(m.PathOf(e->file)).image;
}

// The ship as the show composes it, gear lowered and flame fully out: a check that the layers
// meet where they should.
ArtIndexedImage ComposeShip(const ArtManifest& m, const ArtImageEntry* skinEntry, const std::string& flameName) {
  const ArtSprite* hero = m.FindSprite("Zibolt");
  const ArtSprite* engine = m.FindSprite("Ship-Engine");
  ArtIndexedImage outline = Load(m, m.FindPicture("Ship-Outline"));
  const ArtIndexedImage skin = Load(m, skinEntry);
  const ArtIndexedImage inside = Load(m, m.FindPicture("Ship-Inside"));
  const ArtIndexedImage gear = Load(m, m.FindPicture("Ship-Land"));
  const ArtIndexedImage seated = Load(m, hero ? hero->FindFrame("s_l90") : nullptr);
  const ArtIndexedImage flame = Load(m, engine ? engine->FindFrame(flameName) : nullptr);
  ArtIndexedImage body = outline;
  Paint(body, skin, 0, outline.height - skin.height, -1);
  Paint(body, outline, 0, 0, m.blueIndex);
  ArtIndexedImage canvas;
  canvas.width = outline.width + 20;
  canvas.height = outline.height + 140;
  canvas.pixels.assign(std::size_t(canvas.width) * canvas.height, std::uint8_t(m.greenIndex));
  const int ax = canvas.width / 2, ay = outline.height + 10;
  Paint(canvas, flame, ax - flame.width / 2, ay, m.greenIndex);
  Paint(canvas, gear, ax - gear.width / 2, ay - 18, m.greenIndex);
  Paint(canvas, inside, ax - inside.width / 2, ay - outline.height + 78, m.greenIndex);
  Paint(canvas, seated, ax - seated.width / 2, ay - 190, m.greenIndex);
  Paint(canvas, body, ax - body.width / 2, ay - body.height, m.greenIndex);
  return canvas;
}

std::string Escape(const std::string& s) {
  std::string out;
  for (char c : s) out += c == '<' ? "&lt;" : c == '&' ? "&amp;" : std::string(1, c);
  return out;
}

}  // namespace

void WriteContactSheet(const ArtManifest& m, const std::string& svgFile) {
  constexpr int kPageWidth = 1800, kGap = 14, kLabel = 14;
  std::ostringstream body;
  int x = kGap, y = kGap, rowHeight = 0;
  std::string group;
  auto newRow = [&] {
    y += rowHeight + kGap + kLabel;
    x = kGap;
    rowHeight = 0;
  };
  for (const ArtImageEntry* image : m.AllImages()) {
    const std::string owner = image->owner.empty() ? (m.FindPicture(image->name) ? "pictures" : "skins") : image->owner;
    if (owner != group) {
      if (x > kGap) newRow();
      body << "<text x='" << kGap << "' y='" << y + 12 << "' font-size='15' font-weight='bold'>" << Escape(owner) << "</text>\n";
      y += 20;
      group = owner;
    }
    const ArtBmpInfo bmp = ReadBmp8File(m.PathOf(image->file));
    const int scale = std::max(bmp.image.width, bmp.image.height) <= 40 ? 3 : 1;
    const int w = bmp.image.width * scale, h = bmp.image.height * scale;
    const int cellWidth = std::max(w, 7 * int(image->name.size() + 8));
    if (x + cellWidth > kPageWidth && x > kGap) newRow();
    body << "<image x='" << x << "' y='" << y << "' width='" << w << "' height='" << h
         << "' href='data:image/png;base64," << Base64(PngBytes(bmp.image, bmp.palette, image->keyIndex, scale)) << "'/>\n";
    if (image->hotSpotX != 0 || image->hotSpotY != 0) {
      const double hx = x + image->hotSpotX * scale, hy = y + image->hotSpotY * scale;
      body << "<path d='M" << hx - 4 << " " << hy << "h8M" << hx << " " << hy - 4 << "v8' stroke='#ff00ff' stroke-width='1'/>\n";
    }
    body << "<text x='" << x << "' y='" << y + h + 12 << "' font-size='11'>" << Escape(image->name) << " "
         << bmp.image.width << "x" << bmp.image.height << (scale > 1 ? " (x3)" : "") << "</text>\n";
    x += cellWidth + kGap;
    rowHeight = std::max(rowHeight, h);
  }
  if (x > kGap) newRow();
  body << "<text x='" << kGap << "' y='" << y + 12 << "' font-size='15' font-weight='bold'>composed ship (skin, flame)</text>\n";
  y += 20;
  std::vector<std::pair<const ArtImageEntry*, std::string>> ships = {{m.FindPicture("Ship-Skin"), "on1a"}};
  const char* flames[] = {"on2a", "on3a", "off1a"};
  for (std::size_t i = 0; i < m.skins.size(); ++i) ships.push_back({&m.skins[i], flames[i % 3]});
  for (const auto& [skin, flame] : ships) {
    const ArtIndexedImage ship = ComposeShip(m, skin, flame);
    const auto palette = ReadBmp8File(m.PathOf(skin->file)).palette;
    body << "<image x='" << x << "' y='" << y << "' width='" << ship.width << "' height='" << ship.height
         << "' href='data:image/png;base64," << Base64(PngBytes(ship, palette, m.greenIndex, 1)) << "'/>\n";
    body << "<text x='" << x << "' y='" << y + ship.height + 12 << "' font-size='11'>" << Escape(skin->name) << ", " << flame << "</text>\n";
    x += ship.width + kGap;
    rowHeight = std::max(rowHeight, ship.height);
  }
  newRow();
  std::ofstream out(svgFile, std::ios::trunc);
  out << "<svg xmlns='http://www.w3.org/2000/svg' width='" << kPageWidth + kGap << "' height='" << y << "' font-family='DejaVu Sans'>\n"
      << "<rect width='100%' height='100%' fill='#ffffff'/>\n"
      << body.str() << "</svg>\n";
  if (!out) throw ArtError("cannot write " + svgFile);
}
