// The committed art, sounds and manifest, checked against the rules the show relies on.
#include <gtest/gtest.h>

#include "tests/assets/ArtTestSupport.h"
#include "tools/artc/ArtBmp.h"
#include "tools/artc/ArtCheck.h"

TEST(CommittedArt, PaletteHoldsTheKeysAndTheGreyRamp) {
  EXPECT_EQ(Lines(CheckPalette(MasterPalette(), CommittedManifest())), "");
}

TEST(CommittedArt, EveryBitmapIsEightBitWithTheMasterPaletteAndKeysOnlyWhereAllowed) {
  EXPECT_EQ(Lines(CheckImageFiles(CommittedManifest(), MasterPalette())), "");
}

TEST(CommittedArt, SizesFollowTheShipAndSceneGeometry) {
  EXPECT_EQ(Lines(CheckGeometry(CommittedManifest())), "");
}

TEST(CommittedArt, SpritesHaveTheFramesAndSequencesTheShowRuns) {
  EXPECT_EQ(Lines(CheckSprites(CommittedManifest())), "");
}

TEST(CommittedArt, DirectorsStartAndEndWhereTheShipDrawsTheHero) {
  EXPECT_EQ(Lines(CheckDirectors(CommittedManifest())), "");
}

TEST(CommittedArt, SoundsAreShortMonoWaves) {
  EXPECT_EQ(Lines(CheckSounds(CommittedManifest())), "");
}

TEST(CommittedArt, BlueAppearsOnlyInTheOutlineAndGreenOnlyInKeyedImages) {
  // Counted directly, independent of the checker: the two keys are the engine's transparency.
  const ArtManifest& m = CommittedManifest();
  int imagesWithBlue = 0;
  for (const ArtImageEntry* image : m.AllImages()) {
    const ArtBmpInfo bmp = ReadBmp8File(m.PathOf(image->file));
    bool blue = false, green = false;
    for (auto p : bmp.image.pixels) {
      blue |= p == m.blueIndex;
      green |= p == m.greenIndex;
    }
    imagesWithBlue += blue;
    EXPECT_EQ(blue, image->name == "Ship-Outline") << image->name;
    if (image->keyIndex < 0) EXPECT_FALSE(green) << image->name;
  }
  EXPECT_EQ(imagesWithBlue, 1);
}

TEST(CommittedArt, OpaqueImagesHaveNoKeyPixelsAndSkinsMatchTheBuiltInSkin) {
  const ArtManifest& m = CommittedManifest();
  const ArtImageEntry* skin = m.FindPicture("Ship-Skin");
  ASSERT_NE(skin, nullptr);
  ASSERT_GE(m.skins.size(), 3u);
  for (const auto& s : m.skins) {
    EXPECT_EQ(s.width, skin->width);
    EXPECT_EQ(s.height, skin->height);
    EXPECT_EQ(s.keyIndex, -1);
  }
}
