#include "tools/artc/ArtCheck.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "tools/artc/ArtBmp.h"
#include "tools/artc/ArtError.h"
#include "tools/artc/ArtWav.h"

namespace {

// The ship's measurements, from its anchor (horizontal centre of the body's bottom edge).
constexpr int kBodyHeight = 237;
constexpr int kBodyMinWidth = 220, kBodyMaxWidth = 260;
constexpr int kInsideWidth = 220, kInsideMaxHeight = 159;
constexpr int kGearOverlap = 18;
constexpr int kHeroSeatedTop = 190;
constexpr int kMailTop = 141, kMailBottom = 88;
// Director items further than this in front of "Ship-Inside" are in front of the ship's body.
constexpr double kBodyDepth = 40;

std::string Size(int w, int h) { return std::to_string(w) + "x" + std::to_string(h); }

void Expect(std::vector<std::string>& problems, bool ok, const std::string& problem) {
  if (!ok) problems.push_back(problem);
}

const ArtImageEntry* Picture(const ArtManifest& m, std::vector<std::string>& problems,
                             const std::string& name) {
  const ArtImageEntry* p = m.FindPicture(name);
  if (!p) problems.push_back("picture " + name + " is missing");
  return p;
}

}  // namespace

std::vector<std::string> CheckPalette(const ArtPalette& pal, const ArtManifest& m) {
  std::vector<std::string> problems;
  auto at = [&](int index, ArtRgb rgb, const std::string& what) {
    if (index < 0 || index > 255 || !(pal[index] == rgb))
      problems.push_back(what + " is not at index " + std::to_string(index));
  };
  at(m.greenIndex, {0, 255, 0}, "pure green");
  at(m.blueIndex, {0, 0, 255}, "pure blue");
  at(m.blackIndex, {0, 0, 0}, "black");
  at(m.whiteIndex, {255, 255, 255}, "white");
  for (int key : {m.greenIndex, m.blueIndex}) {
    if (key < 0 || key > 255) continue;
    for (int i = 0; i < ArtPalette::kSize; ++i)
      if (i != key && SquaredDistance(pal[i], pal[key]) < kKeyClearance)
        problems.push_back("entry " + std::to_string(i) + " (" + pal.Name(i) + ") is too close to key " +
                           std::to_string(key));
  }
  if (m.greyFirst < 0 || m.greyLast > 255 || m.greyLast - m.greyFirst + 1 < 16) {
    problems.push_back("the grey ramp needs at least 16 entries");
  } else {
    Expect(problems, pal[m.greyFirst] == ArtRgb{0, 0, 0}, "the grey ramp does not start at black");
    Expect(problems, pal[m.greyLast] == ArtRgb{255, 255, 255}, "the grey ramp does not end at white");
    for (int i = m.greyFirst; i <= m.greyLast; ++i) {
      const ArtRgb& c = pal[i];
      Expect(problems, c.r == c.g && c.g == c.b, "ramp entry " + std::to_string(i) + " is not grey");
      if (i > m.greyFirst)
        Expect(problems, c.r > pal[i - 1].r, "ramp entry " + std::to_string(i) + " is not lighter than the one before");
    }
  }
  return problems;
}

std::vector<std::string> CheckImageFiles(const ArtManifest& m, const ArtPalette& pal) {
  std::vector<std::string> problems;
  std::set<std::string> files;
  for (const ArtImageEntry* image : m.AllImages()) {
    const std::string label = (image->owner.empty() ? "" : image->owner + "/") + image->name;
    if (!files.insert(image->file).second) problems.push_back(label + ": file " + image->file + " is used twice");
    ArtBmpInfo bmp;
    try {
      bmp = ReadBmp8File(m.PathOf(image->file));
    } catch (const ArtError& e) {
      problems.push_back(label + ": " + e.what());
      continue;
    }
    Expect(problems, bmp.headerSize == 40, label + ": info header is not 40 bytes");
    Expect(problems, bmp.bottomUp, label + ": rows are not bottom-up");
    Expect(problems, bmp.coloursUsed == 256, label + ": palette does not hold 256 entries");
    bool samePalette = bmp.palette.size() == 256;
    for (std::size_t i = 0; samePalette && i < 256; ++i) samePalette = bmp.palette[i] == pal[int(i)];
    Expect(problems, samePalette, label + ": palette differs from the master palette");
    Expect(problems, bmp.image.width == image->width && bmp.image.height == image->height,
           label + ": is " + Size(bmp.image.width, bmp.image.height) + ", manifest says " +
               Size(image->width, image->height));
    bool hasGreen = false, hasBlue = false;
    for (auto p : bmp.image.pixels) {
      hasGreen |= p == m.greenIndex;
      hasBlue |= p == m.blueIndex;
    }
    Expect(problems, !hasGreen || image->keyIndex == m.greenIndex, label + ": uses pure green without green transparency");
    Expect(problems, !hasBlue || image->blueMarker, label + ": uses pure blue outside the hull marker");
    Expect(problems, !image->blueMarker || hasBlue, label + ": has no pure blue hull area");
    if (!image->matchImage.empty()) {
      const ArtImageEntry* other = m.FindPicture(image->matchImage);
      bool same = other != nullptr;
      try {
        const ArtIndexedImage base = same ? ReadBmp8File(m.PathOf(other->file)).image : ArtIndexedImage{};
        for (int y = 0; same && y < bmp.image.height; ++y)
          for (int x = 0; same && x < bmp.image.width; ++x) {
            const int bx = image->matchX + x, by = image->matchY + y;
            if (bx >= base.width || by >= base.height) { same = false; break; }
            const auto p = bmp.image.At(x, y), q = base.At(bx, by);
            same = p == image->keyIndex || q == m.greenIndex || q == m.blueIndex || p == q;
          }
      } catch (const ArtError&) {
        same = false;
      }
      Expect(problems, same, label + ": differs from " + image->matchImage + " where it covers it");
    }
    if (SameName(image->name, "Ship-Outline") && bmp.image.height == kBodyHeight) {
      // The window must show the seated hero's head (its top at anchor - 190) and the mail's
      // whole path (its top from anchor - 141 to anchor - 88, about 120 wide).
      const int cx = bmp.image.width / 2;
      auto seeThrough = [&](int x0, int x1, int y0, int y1) {
        for (int y = y0; y <= y1; ++y)
          for (int x = x0; x <= x1; ++x)
            if (bmp.image.At(x, y) != m.greenIndex) return false;
        return true;
      };
      Expect(problems, seeThrough(cx - 20, cx + 20, kBodyHeight - kHeroSeatedTop, kBodyHeight - kHeroSeatedTop + 10),
             "Ship-Outline: the window does not cover the seated hero's head");
      Expect(problems, seeThrough(cx - 58, cx + 58, kBodyHeight - kMailTop, kBodyHeight - kMailBottom - 4),
             "Ship-Outline: the window does not cover the mail's path");
    }
  }
  return problems;
}

std::vector<std::string> CheckGeometry(const ArtManifest& m) {
  std::vector<std::string> problems;
  auto exact = [&](const ArtImageEntry* p, int w, int h) {
    if (p) Expect(problems, p->width == w && p->height == h, p->name + " must be " + Size(w, h));
  };
  exact(Picture(m, problems, "Background"), 800, 600);
  exact(Picture(m, problems, "Screen1"), 152, 112);
  exact(Picture(m, problems, "Screen2"), 152, 112);
  const ArtImageEntry* outline = Picture(m, problems, "Ship-Outline");
  const ArtImageEntry* skin = Picture(m, problems, "Ship-Skin");
  const ArtImageEntry* inside = Picture(m, problems, "Ship-Inside");
  const ArtImageEntry* gear = Picture(m, problems, "Ship-Land");
  Picture(m, problems, "deur1");
  Picture(m, problems, "deur2");
  if (outline) {
    Expect(problems, outline->height == kBodyHeight, "Ship-Outline must be 237 high");
    Expect(problems, outline->width >= kBodyMinWidth && outline->width <= kBodyMaxWidth,
           "Ship-Outline must be 220 to 260 wide");
    Expect(problems, outline->blueMarker && outline->keyIndex == m.greenIndex,
           "Ship-Outline needs green transparency and the blue hull marker");
  }
  if (outline && skin) exact(skin, outline->width, outline->height);
  if (skin)
    for (const auto& s : m.skins) exact(&s, skin->width, skin->height);
  Expect(problems, m.skins.size() >= 3, "at least three skins are needed");
  if (inside)
    Expect(problems, inside->width == kInsideWidth && inside->height <= kInsideMaxHeight,
           "Ship-Inside must be 220 wide and at most 159 high");
  if (gear && outline)
    Expect(problems, gear->width <= outline->width && gear->height > kGearOverlap,
           "Ship-Land must fit under the body and reach below the anchor");
  if (const ArtSprite* engine = m.FindSprite("Ship-Engine"); engine && outline)
    for (const auto& f : engine->frames)
      Expect(problems, f.height <= kBodyHeight && f.width <= outline->width,
             "Ship-Engine/" + f.name + " is larger than the body can hide");
  for (int i = 1; i <= 7; ++i) {
    const ArtSprite* star = m.FindSprite("Star" + std::to_string(i));
    if (!star) continue;
    for (const auto& f : star->frames)
      Expect(problems, f.width >= 6 && f.width <= 24 && f.height >= 6 && f.height <= 24,
             star->name + "/" + f.name + " must be 6 to 24 pixels");
  }
  for (const ArtImageEntry* image : m.AllImages()) {
    const ArtSource* source = m.FindSource(image->source);
    if (!source) {
      problems.push_back(image->name + ": unknown source " + image->source);
      continue;
    }
    Expect(problems, image->x >= 0 && image->y >= 0 && image->width > 0 && image->height > 0 &&
                         image->x + image->width <= source->width && image->y + image->height <= source->height,
           image->name + ": rectangle leaves source " + source->id);
  }
  return problems;
}

std::vector<std::string> CheckSprites(const ArtManifest& m) {
  std::vector<std::string> problems;
  const std::map<std::string, std::vector<std::string>> wanted = {
      {"Zibolt", {"TALK", "STAND", "getmic", "awaymic", "TALKSIT", "LISTENSIT", "walkrl"}},
      {"Ship-Engine", {"ON_1", "OFF_1", "ON_2", "OFF_2", "ON_3", "OFF_3"}},
      {"Sidekick", {}},
      {"Star1", {}}, {"Star2", {}}, {"Star3", {}}, {"Star4", {}}, {"Star5", {}}, {"Star6", {}}, {"Star7", {}}};
  for (const auto& [name, sequences] : wanted) {
    const ArtSprite* sprite = m.FindSprite(name);
    if (!sprite) {
      problems.push_back("sprite " + name + " is missing");
      continue;
    }
    for (const auto& s : sequences)
      Expect(problems, sprite->FindSequence(s) != nullptr, name + " lacks sequence " + s);
  }
  for (const auto& sprite : m.sprites) {
    Expect(problems, !sprite.frames.empty(), sprite.name + " has no frames");
    Expect(problems, sprite.FindFrame(sprite.curFrameName) != nullptr,
           sprite.name + ": current frame " + sprite.curFrameName + " does not exist");
    std::set<std::string> names;
    for (const auto& f : sprite.frames) {
      std::string lower;
      for (char c : f.name) lower += char(std::tolower(static_cast<unsigned char>(c)));
      Expect(problems, names.insert(lower).second, sprite.name + ": frame " + f.name + " appears twice");
      Expect(problems, f.keyIndex == m.greenIndex, sprite.name + "/" + f.name + " must use green transparency");
    }
    for (const auto& seq : sprite.sequences) {
      Expect(problems, !seq.steps.empty(), sprite.name + "/" + seq.name + " has no steps");
      for (const auto& step : seq.steps) {
        Expect(problems, sprite.FindFrame(step.frame) != nullptr,
               sprite.name + "/" + seq.name + " shows missing frame " + step.frame);
        Expect(problems, step.ms > 0, sprite.name + "/" + seq.name + " has a step without time");
      }
    }
    if (auto tag = sprite.tags.find("Pre"); tag != sprite.tags.end())
      Expect(problems, sprite.FindSequence(tag->second) != nullptr, sprite.name + ": Pre sequence " + tag->second + " is missing");
  }
  for (int i = 1; i <= 7; ++i)
    if (const ArtSprite* star = m.FindSprite("Star" + std::to_string(i))) {
      auto tag = star->tags.find("Sterretje");
      Expect(problems, tag != star->tags.end() && tag->second == "True", star->name + " lacks the tag Sterretje=True");
    }
  if (const ArtSprite* hero = m.FindSprite("Zibolt")) {
    // The ship draws every seated frame at the same place, so they must not jump.
    const ArtImageEntry* seated = hero->FindFrame("s_l90");
    Expect(problems, seated && hero->FindFrame("s_l135"), "Zibolt lacks the seated frames s_l90 and s_l135");
    if (seated) {
      std::vector<std::string> sitting = {"s_l135"};
      for (const char* seq : {"TALKSIT", "LISTENSIT"})
        if (const ArtSequence* s = hero->FindSequence(seq))
          for (const auto& step : s->steps) sitting.push_back(step.frame);
      for (const auto& name : sitting)
        if (const ArtImageEntry* f = hero->FindFrame(name))
          Expect(problems, f->width == seated->width && f->height == seated->height,
                 "Zibolt/" + name + " differs in size from s_l90");
    }
    if (const ArtSequence* walk = hero->FindSequence("walkrl")) {
      int dx = 0;
      for (const auto& step : walk->steps) dx += step.dx;
      Expect(problems, dx < 0, "Zibolt/walkrl does not move to the left");
    }
  }
  return problems;
}

std::vector<std::string> CheckDirectors(const ArtManifest& m) {
  std::vector<std::string> problems;
  const std::map<std::string, std::pair<int, double>> wanted = {{"getout", {33, 110}}, {"getin", {28, 120}}};
  const ArtSprite* hero = m.FindSprite("Zibolt");
  const ArtImageEntry* seated = hero ? hero->FindFrame("s_l90") : nullptr;
  for (const auto& [name, shape] : wanted) {
    const ArtDirector* d = nullptr;
    for (const auto& candidate : m.directors)
      if (SameName(candidate.name, name)) d = &candidate;
    if (!d) {
      problems.push_back("director " + name + " is missing");
      continue;
    }
    Expect(problems, d->lastFrame == shape.first && d->frameLength == shape.second,
           name + " must have " + std::to_string(shape.first) + " frames of " + std::to_string(int(shape.second)) + " ms");
    std::map<std::string, std::vector<const ArtKeyFrame*>> tracks;
    int greatest = 0;
    for (const auto& k : d->keyFrames) {
      tracks[k.item].push_back(&k);
      greatest = std::max(greatest, k.frame);
      Expect(problems, k.frame >= 1 && k.frame <= d->lastFrame, name + ": key frame " + std::to_string(k.frame) + " is out of range");
    }
    Expect(problems, greatest == d->lastFrame, name + ": the last key frame is not frame " + std::to_string(d->lastFrame));
    for (const auto& item : {"deur1", "deur2", "Ship-Inside", "Zibolt", "Sidekick"})
      Expect(problems, tracks.count(item) == 1, name + " lacks the track " + std::string(item));
    for (const auto& [item, keys] : tracks) {
      Expect(problems, std::find(d->items.begin(), d->items.end(), item) != d->items.end(), name + ": " + item + " is not in the item list");
      const ArtSprite* sprite = m.FindSprite(item);
      Expect(problems, sprite || m.FindPicture(item), name + ": " + item + " is neither a picture nor a sprite");
      Expect(problems, keys.front()->frame == 1, name + "/" + item + " does not start at frame 1");
      for (std::size_t i = 0; i < keys.size(); ++i) {
        const ArtKeyFrame& k = *keys[i];
        Expect(problems, i == 0 || k.frame > keys[i - 1]->frame, name + "/" + item + ": key frames out of order");
        Expect(problems, k.hasFrameName == (sprite != nullptr), name + "/" + item + ": CurFrameName only on sprites, on every key frame");
        if (sprite && k.hasFrameName)
          Expect(problems, sprite->FindFrame(k.curFrameName) != nullptr, name + "/" + item + " shows missing frame " + k.curFrameName);
      }
    }
    if (!tracks.count("Ship-Inside") || !tracks.count("Zibolt")) continue;
    const ArtKeyFrame& in = *tracks["Ship-Inside"].front();
    for (const ArtKeyFrame* k : tracks["Ship-Inside"])
      Expect(problems, k->x == in.x && k->y == in.y && k->z == in.z && k->visible,
             name + ": Ship-Inside must stay visible over the ship's inside");
    // Where the ship would draw the seated hero, in director coordinates.
    const auto& heroKeys = tracks["Zibolt"];
    const ArtKeyFrame& seatedKey = name == "getout" ? *heroKeys.front() : *heroKeys.back();
    if (seated) {
      const double x = in.x + kInsideWidth / 2.0 - seated->width / 2.0;
      const double y = in.y + kInsideMaxHeight - kHeroSeatedTop;
      Expect(problems, seatedKey.x == x && seatedKey.y == y && seatedKey.curFrameName == "s_l90" && seatedKey.visible,
             name + ": the hero's " + (name == "getout" ? "first" : "last") + " key frame is not the seated hero in the window");
      Expect(problems, seatedKey.z - in.z > -kBodyDepth, name + ": the seated hero must be behind the body");
    }
    for (const char* door : {"deur1", "deur2"})
      for (const ArtKeyFrame* k : tracks[door])
        if (k->visible) Expect(problems, k->z - in.z < -kBodyDepth, name + ": " + door + " must be in front of the body");
  }
  return problems;
}

std::vector<std::string> CheckSounds(const ArtManifest& m) {
  std::vector<std::string> problems;
  std::set<std::string> names;
  for (const auto& s : m.sounds) {
    names.insert(s.name);
    try {
      const ArtWavInfo wav = ReadWavFile(m.PathOf(s.file));
      Expect(problems, wav.format == 1 && wav.channels == 1 && wav.sampleRate == 22050 && wav.bitsPerSample == 16,
             s.name + ": must be 16-bit PCM mono at 22050 Hz");
      Expect(problems, wav.Seconds() > 0.05 && wav.Seconds() <= 1.5, s.name + ": must last up to 1.5 seconds");
    } catch (const ArtError& e) {
      problems.push_back(s.name + ": " + e.what());
    }
  }
  for (const char* base : {"zibo", "motor"})
    for (int i = 1; i <= (std::string(base) == "zibo" ? 9 : 3); ++i)
      Expect(problems, names.count(base + std::to_string(i)) == 1, std::string("sound ") + base + std::to_string(i) + " is missing");
  return problems;
}

std::vector<std::string> CheckAll(const ArtManifest& m) {
  std::vector<std::string> problems;
  ArtPalette palette;
  try {
    palette = ArtPalette::LoadFile(m.PathOf(m.palette));
  } catch (const ArtError& e) {
    return {e.what()};
  }
  for (auto* check : {&CheckGeometry, &CheckSprites, &CheckDirectors, &CheckSounds}) {
    auto found = check(m);
    problems.insert(problems.end(), found.begin(), found.end());
  }
  auto found = CheckPalette(palette, m);
  problems.insert(problems.end(), found.begin(), found.end());
  found = CheckImageFiles(m, palette);
  problems.insert(problems.end(), found.begin(), found.end());
  return problems;
}
