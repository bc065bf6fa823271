// The checks must catch the faults that would break the show: each case spoils one thing in a
// copy of the committed manifest or palette and expects the check to name it.
#include <gtest/gtest.h>

#include <functional>

#include "tests/assets/ArtTestSupport.h"
#include "tools/artc/ArtCheck.h"
#include "tools/artc/ArtError.h"
#include "tools/artc/ArtWav.h"

namespace {

bool Mentions(const std::vector<std::string>& problems, const std::string& words) {
  for (const auto& p : problems)
    if (p.find(words) != std::string::npos) return true;
  return false;
}

ArtSprite& Sprite(ArtManifest& m, const std::string& name) {
  for (auto& s : m.sprites)
    if (s.name == name) return s;
  throw std::runtime_error("no sprite " + name);
}

ArtDirector& Director(ArtManifest& m, const std::string& name) {
  for (auto& d : m.directors)
    if (d.name == name) return d;
  throw std::runtime_error("no director " + name);
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const ArtError& e) {
    return e.what();
  }
  return "";
}

}  // namespace

TEST(ManifestChecks, CatchSpriteFaults) {
  ArtManifest m = CommittedManifest();
  Sprite(m, "Zibolt").sequences[0].steps[0].frame = "nosuchframe";
  Sprite(m, "Ship-Engine").sequences.pop_back();  // OFF_3
  Sprite(m, "Star3").tags["Sterretje"] = "False";
  Sprite(m, "Sidekick").curFrameName = "kick9";
  const auto problems = CheckSprites(m);
  EXPECT_TRUE(Mentions(problems, "shows missing frame nosuchframe")) << Lines(problems);
  EXPECT_TRUE(Mentions(problems, "Ship-Engine lacks sequence OFF_3")) << Lines(problems);
  EXPECT_TRUE(Mentions(problems, "Star3 lacks the tag Sterretje=True")) << Lines(problems);
  EXPECT_TRUE(Mentions(problems, "current frame kick9")) << Lines(problems);
}

TEST(ManifestChecks, CatchSeatedFramesOfAnotherSize) {
  ArtManifest m = CommittedManifest();
  for (auto& f : Sprite(m, "Zibolt").frames)
    if (f.name == "sit_talk2") f.height = 99;
  EXPECT_TRUE(Mentions(CheckSprites(m), "sit_talk2 differs in size from s_l90"));
}

TEST(ManifestChecks, CatchAHeroThatDoesNotEndInHisSeat) {
  ArtManifest m = CommittedManifest();
  ArtDirector& getin = Director(m, "getin");
  for (auto it = getin.keyFrames.rbegin(); it != getin.keyFrames.rend(); ++it)
    if (it->item == "Zibolt") {
      it->y += 1;
      break;
    }
  EXPECT_TRUE(Mentions(CheckDirectors(m), "getin: the hero's last key frame is not the seated hero"));
}

TEST(ManifestChecks, CatchDoorsBehindTheBodyAndBrokenTimelines) {
  ArtManifest m = CommittedManifest();
  ArtDirector& getout = Director(m, "getout");
  for (auto& k : getout.keyFrames)
    if (k.item == "deur1") k.z = -30;
  getout.lastFrame = 34;
  for (auto& k : getout.keyFrames)
    if (k.item == "Sidekick") k.curFrameName = "walk1";
  const auto problems = CheckDirectors(m);
  EXPECT_TRUE(Mentions(problems, "deur1 must be in front of the body")) << Lines(problems);
  EXPECT_TRUE(Mentions(problems, "getout must have 33 frames")) << Lines(problems);
  EXPECT_TRUE(Mentions(problems, "Sidekick shows missing frame walk1")) << Lines(problems);
}

TEST(ManifestChecks, CatchShipLayersOfTheWrongSize) {
  ArtManifest m = CommittedManifest();
  for (auto& p : m.pictures) {
    if (p.name == "Ship-Outline") p.height = 236;
    if (p.name == "Ship-Inside") p.width = 221;
  }
  m.skins[1].width = 239;
  const auto problems = CheckGeometry(m);
  EXPECT_TRUE(Mentions(problems, "Ship-Outline must be 237 high")) << Lines(problems);
  EXPECT_TRUE(Mentions(problems, "Ship-Inside must be 220 wide")) << Lines(problems);
  EXPECT_TRUE(Mentions(problems, "Chrome must be")) << Lines(problems);
}

TEST(ManifestChecks, CatchBitmapsThatDisagreeWithTheManifest) {
  ArtManifest m = CommittedManifest();
  m.pictures[0].width = 801;                 // Background
  for (auto& p : m.pictures)
    if (p.name == "Ship-Outline") p.blueMarker = false;
  const auto problems = CheckImageFiles(m, MasterPalette());
  EXPECT_TRUE(Mentions(problems, "Background: is 800x600, manifest says 801x600")) << Lines(problems);
  EXPECT_TRUE(Mentions(problems, "Ship-Outline: uses pure blue outside the hull marker")) << Lines(problems);
}

TEST(ManifestChecks, CatchPaletteFaults) {
  std::string text;
  for (int i = 0; i < 256; ++i) {
    const ArtRgb& c = MasterPalette()[i];
    int r = c.r, g = c.g, b = c.b;
    if (i == 40) r = 30, g = 240, b = 30;   // too close to pure green
    if (i == 5) r = 41, g = 41, b = 40;     // breaks the grey ramp
    text += std::to_string(r) + " " + std::to_string(g) + " " + std::to_string(b) + "\n";
  }
  const auto problems = CheckPalette(ArtPalette::Parse(text), CommittedManifest());
  EXPECT_TRUE(Mentions(problems, "entry 40")) << Lines(problems);
  EXPECT_TRUE(Mentions(problems, "ramp entry 5 is not grey")) << Lines(problems);
}

TEST(ManifestChecks, MalformedSourcesAreReportedWithWhereAndWhat) {
  EXPECT_NE(ErrorOf([] { ArtPalette::Parse("0 0 0\n"); }).find("has 1 colours, needs 256"), std::string::npos);
  EXPECT_NE(ErrorOf([] { ArtPalette::Parse("# c\n0 0 0\n12 300 4  # bad\n", "p.txt"); }).find("p.txt:3"), std::string::npos);
  EXPECT_NE(ErrorOf([] { ParseManifest("{", "."); }).find("not valid JSON"), std::string::npos);
  EXPECT_NE(ErrorOf([] { ParseManifest("{}", "."); }).find("lacks \"palette\""), std::string::npos);
  const std::string badStep = R"({"palette":"p","keyIndices":{"green":32,"blue":33,"black":0,"white":31,"greyRamp":[0,31]},
    "sources":[],"pictures":[],"skins":[],"directors":[],"sounds":[],
    "sprites":[{"name":"S","curFrameName":"a","frames":[],"sequences":[{"name":"Q","steps":[["a"]]}]}]})";
  EXPECT_NE(ErrorOf([&] { ParseManifest(badStep, "."); }).find("sprites(S).sequences(Q) has a step"), std::string::npos);
}

TEST(ManifestChecks, DamagedWavesAreRejected) {
  EXPECT_NE(ErrorOf([] { DecodeWav({'R', 'I', 'F', 'F'}); }).find("not a RIFF WAVE"), std::string::npos);
  std::vector<std::uint8_t> wav = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'd', 'a', 't', 'a', 0xFF, 0xFF, 0, 0};
  EXPECT_NE(ErrorOf([&] { DecodeWav(wav); }).find("runs past the end"), std::string::npos);
}
