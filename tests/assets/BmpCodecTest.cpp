#include <gtest/gtest.h>

#include "tests/assets/ArtTestSupport.h"
#include "tools/artc/ArtBmp.h"
#include "tools/artc/ArtError.h"

namespace {

ArtIndexedImage Sample() {
  ArtIndexedImage image;
  image.width = 5;  // odd width: every row carries 3 padding bytes
  image.height = 3;
  for (int i = 0; i < 15; ++i) image.pixels.push_back(std::uint8_t(40 + i));
  return image;
}

void ExpectRejected(const std::vector<std::uint8_t>& bytes, const std::string& words) {
  try {
    DecodeBmp8(bytes, "test.bmp");
    FAIL() << "expected ArtError about " << words;
  } catch (const ArtError& e) {
    EXPECT_NE(std::string(e.what()).find(words), std::string::npos) << e.what();
  }
}

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
}

}  // namespace

TEST(BmpCodec, WritesTheFormTheEngineReads) {
  const auto bytes = EncodeBmp8(Sample(), MasterPalette());
  ASSERT_EQ(bytes.size(), 14u + 40 + 1024 + 8 * 3);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[14], 40);               // info header size
  EXPECT_EQ(bytes[28], 8);                // bits per pixel
  EXPECT_EQ(bytes[14 + 40 + 32 * 4 + 1], 255);  // palette entry 32 is B,G,R = 0,255,0
  // Bottom-up: the file's first row is the image's last.
  EXPECT_EQ(bytes[14 + 40 + 1024], 50);
}

TEST(BmpCodec, RoundTripsPixelsAndPalette) {
  const ArtBmpInfo info = DecodeBmp8(EncodeBmp8(Sample(), MasterPalette()));
  EXPECT_EQ(info.image.width, 5);
  EXPECT_EQ(info.image.height, 3);
  EXPECT_EQ(info.image.pixels, Sample().pixels);
  ASSERT_EQ(info.palette.size(), 256u);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(info.palette[i], MasterPalette()[i]);
}

TEST(BmpCodec, RejectsDamagedOrForeignBitmaps) {
  const auto good = EncodeBmp8(Sample(), MasterPalette());
  ExpectRejected({'B', 'M', 0}, "not a BMP");
  auto cut = good;
  cut.resize(good.size() - 5);
  ExpectRejected(cut, "cut short");
  auto deep = good;
  deep[28] = 24;
  ExpectRejected(deep, "24 bits per pixel");
  auto packed = good;
  packed[30] = 1;
  ExpectRejected(packed, "compressed");
  auto huge = good;
  Put32(huge, 18, 1u << 30);
  ExpectRejected(huge, "unusable size");
  auto header = good;
  Put32(header, 14, 0xFFFFFF);
  ExpectRejected(header, "info header");
  auto colours = good;
  Put32(colours, 46, 300);
  ExpectRejected(colours, "more than 256");
}

TEST(BmpCodec, ReadsTopDownBitmapsToo) {
  auto bytes = EncodeBmp8(Sample(), MasterPalette());
  Put32(bytes, 22, std::uint32_t(-3));
  const ArtBmpInfo info = DecodeBmp8(bytes);
  EXPECT_FALSE(info.bottomUp);
  EXPECT_EQ(info.image.At(0, 0), 50);  // the file's first row is now the top row
}
