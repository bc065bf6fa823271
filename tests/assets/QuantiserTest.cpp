#include <gtest/gtest.h>

#include "tests/assets/ArtTestSupport.h"
#include "tools/artc/ArtError.h"
#include "tools/artc/ArtQuantiser.h"

namespace {

constexpr int kGreen = 32, kBlue = 33;

ArtRgbaImage Row(std::initializer_list<std::array<std::uint8_t, 4>> pixels) {
  ArtRgbaImage image;
  image.width = int(pixels.size());
  image.height = 1;
  for (const auto& p : pixels) image.rgba.insert(image.rgba.end(), p.begin(), p.end());
  return image;
}

}  // namespace

TEST(Quantiser, HalfTransparentPixelsBecomeTheKeyAndTheRestStaysOpaque) {
  const ArtQuantiser q(MasterPalette(), {kGreen, kBlue});
  ArtQuantiseRules rules;
  rules.keyIndex = kGreen;
  const auto out = q.Quantise(Row({{{10, 20, 30, 0}}, {{200, 0, 0, 127}}, {{0, 0, 0, 128}}, {{255, 255, 255, 255}}}), rules);
  EXPECT_EQ(out.pixels[0], kGreen);
  EXPECT_EQ(out.pixels[1], kGreen);
  EXPECT_EQ(out.pixels[2], 0);    // black, from the grey ramp
  EXPECT_EQ(out.pixels[3], 31);   // white
}

TEST(Quantiser, NearKeyColoursNeverLandOnAKey) {
  // Anti-aliased edges blend towards the key colours; mapping them onto a key would punch
  // holes or leave fringes.
  const ArtQuantiser q(MasterPalette(), {kGreen, kBlue});
  for (ArtRgb c : {ArtRgb{0, 255, 0}, ArtRgb{12, 245, 8}, ArtRgb{0, 0, 255}, ArtRgb{20, 10, 240}}) {
    const int index = q.Nearest(c);
    EXPECT_NE(index, kGreen);
    EXPECT_NE(index, kBlue);
  }
}

TEST(Quantiser, ExactBlueMarksTheHullOnlyWhereTheImageAllowsIt) {
  const ArtQuantiser q(MasterPalette(), {kGreen, kBlue});
  const auto hull = Row({{{0, 0, 255, 255}}, {{0, 0, 254, 255}}, {{0, 0, 255, 200}}});
  ArtQuantiseRules outline;
  outline.keyIndex = kGreen;
  outline.markers = {kBlue};
  const auto marked = q.Quantise(hull, outline);
  EXPECT_EQ(marked.pixels[0], kBlue);
  EXPECT_NE(marked.pixels[1], kBlue);  // almost blue is not the marker
  EXPECT_NE(marked.pixels[2], kBlue);  // nor is a blended edge
  ArtQuantiseRules plain;
  plain.keyIndex = kGreen;
  EXPECT_NE(q.Quantise(hull, plain).pixels[0], kBlue);
}

TEST(Quantiser, PaletteColoursMapToThemselves) {
  const ArtQuantiser q(MasterPalette(), {kGreen, kBlue});
  for (int i = 0; i < 256; ++i)
    if (i != kGreen && i != kBlue) EXPECT_EQ(q.Nearest(MasterPalette()[i]), MasterPalette().FindExact(MasterPalette()[i])) << i;
}

TEST(Quantiser, AnOpaqueImageWithAHoleIsRejected) {
  const ArtQuantiser q(MasterPalette(), {kGreen, kBlue});
  ArtQuantiseRules opaque;
  try {
    q.Quantise(Row({{{1, 2, 3, 255}}, {{1, 2, 3, 10}}}), opaque);
    FAIL() << "expected ArtError";
  } catch (const ArtError& e) {
    EXPECT_NE(std::string(e.what()).find("see-through pixel at 1,0"), std::string::npos) << e.what();
  }
}
