#include "tools/artc/ArtBmp.h"

#include <fstream>
#include <iterator>

#include "tools/artc/ArtError.h"

namespace {

constexpr int kMaxSide = 16384;

std::uint32_t Get16(const std::vector<std::uint8_t>& in, std::size_t at) {
  return in[at] | (in[at + 1] << 8);
}
std::uint32_t Get32(const std::vector<std::uint8_t>& in, std::size_t at) {
  return Get16(in, at) | (Get16(in, at + 2) << 16);
}
std::size_t Stride(int width) { return (std::size_t(width) + 3) & ~std::size_t(3); }

}  // namespace

void ArtPut16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void ArtPut32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  ArtPut16(out, v & 0xFFFF);
  ArtPut16(out, v >> 16);
}

std::vector<std::uint8_t> EncodeBmp8(const ArtIndexedImage& image, const ArtPalette& palette) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != std::size_t(image.width) * image.height)
    throw ArtError("cannot encode an empty or inconsistent image");
  const std::size_t stride = Stride(image.width);
  const std::uint32_t offset = 14 + 40 + 256 * 4;
  const std::uint32_t dataSize = static_cast<std::uint32_t>(stride * image.height);
  std::vector<std::uint8_t> out;
  out.reserve(offset + dataSize);
  out.push_back('B');
  out.push_back('M');
  ArtPut32(out, offset + dataSize);
  ArtPut32(out, 0);
  ArtPut32(out, offset);
  ArtPut32(out, 40);
  ArtPut32(out, static_cast<std::uint32_t>(image.width));
  ArtPut32(out, static_cast<std::uint32_t>(image.height));
  ArtPut16(out, 1);
  ArtPut16(out, 8);
  ArtPut32(out, 0);  // BI_RGB
  ArtPut32(out, dataSize);
  ArtPut32(out, 2835);  // 72 dpi
  ArtPut32(out, 2835);
  ArtPut32(out, 256);
  ArtPut32(out, 0);
  for (int i = 0; i < ArtPalette::kSize; ++i) {
    out.push_back(palette[i].b);
    out.push_back(palette[i].g);
    out.push_back(palette[i].r);
    out.push_back(0);
  }
  for (int row = image.height - 1; row >= 0; --row) {
    const auto* src = &image.pixels[std::size_t(row) * image.width];
    out.insert(out.end(), src, src + image.width);
    out.insert(out.end(), stride - image.width, 0);
  }
  return out;
}

void WriteBmp8File(const std::string& fileName, const ArtIndexedImage& image,
                   const ArtPalette& palette) {
  const auto bytes = EncodeBmp8(image, palette);
  std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!file) throw ArtError("cannot write " + fileName);
}

ArtBmpInfo DecodeBmp8(const std::vector<std::uint8_t>& in, const std::string& origin) {
  auto fail = [&](const std::string& what) { return ArtError(origin + ": " + what); };
  if (in.size() < 14 + 40 || in[0] != 'B' || in[1] != 'M') throw fail("not a BMP file");
  ArtBmpInfo info;
  const std::uint32_t offset = Get32(in, 10);
  info.headerSize = Get32(in, 14);
  if (info.headerSize < 40 || info.headerSize > in.size() - 14)
    throw fail("unsupported info header size " + std::to_string(info.headerSize));
  const auto width = static_cast<std::int32_t>(Get32(in, 18));
  const auto height = static_cast<std::int32_t>(Get32(in, 22));
  info.bitsPerPixel = static_cast<int>(Get16(in, 28));
  info.compression = Get32(in, 30);
  const std::uint32_t used = Get32(in, 46);
  if (info.bitsPerPixel != 8) throw fail(std::to_string(info.bitsPerPixel) + " bits per pixel, needs 8");
  if (info.compression != 0) throw fail("compressed bitmaps are not used");
  if (width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide)
    throw fail("unusable size " + std::to_string(width) + "x" + std::to_string(height));
  info.bottomUp = height > 0;
  info.coloursUsed = used == 0 ? 256 : static_cast<int>(used);
  if (info.coloursUsed > 256) throw fail("more than 256 palette entries");
  const std::size_t paletteAt = 14 + std::size_t(info.headerSize);
  if (paletteAt + std::size_t(info.coloursUsed) * 4 > in.size()) throw fail("palette is cut short");
  for (int i = 0; i < info.coloursUsed; ++i) {
    const std::size_t at = paletteAt + std::size_t(i) * 4;
    info.palette.push_back({in[at + 2], in[at + 1], in[at]});
  }
  info.image.width = width;
  info.image.height = height > 0 ? height : -height;
  const std::size_t stride = Stride(width);
  if (offset < paletteAt + std::size_t(info.coloursUsed) * 4 || offset > in.size() ||
      (in.size() - offset) / stride < std::size_t(info.image.height))
    throw fail("pixel data is cut short or misplaced");
  info.image.pixels.resize(std::size_t(width) * info.image.height);
  for (int row = 0; row < info.image.height; ++row) {
    const int fileRow = info.bottomUp ? info.image.height - 1 - row : row;
    const auto* src = &in[offset + std::size_t(fileRow) * stride];
    std::copy(src, src + width, &info.image.pixels[std::size_t(row) * width]);
  }
  return info;
}

ArtBmpInfo ReadBmp8File(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) throw ArtError("cannot open " + fileName);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
  return DecodeBmp8(bytes, fileName);
}
