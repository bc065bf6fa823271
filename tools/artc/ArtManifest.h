#pragma once

#include <map>
#include <string>
#include <vector>

// What assets/art/manifest.json says about the show's art: where each image comes from, how
// it is keyed, and the sprites, directors and sounds built from the images later.
struct ArtSource {
  std::string id, svg;
  int width = 0, height = 0;
};

struct ArtImageEntry {
  std::string name;   // picture, frame or skin name
  std::string owner;  // sprite of a frame; empty for pictures and skins
  std::string file;   // BMP, relative to the manifest's root
  std::string source; // id of an ArtSource
  int x = 0, y = 0, width = 0, height = 0;
  int keyIndex = -1;  // -1: opaque
  bool blueMarker = false;
  double hotSpotX = 0, hotSpotY = 0;
  bool visible = false;
  // When set, opaque pixels copy those of this image at (matchX, matchY) (key colours
  // excepted), so a picture shown over it cannot be told apart: the closed hatch leaf.
  std::string matchImage;
  int matchX = 0, matchY = 0;
};

struct ArtStep {
  std::string frame;
  double ms = 0;
  int dx = 0, dy = 0, dz = 0;
};

struct ArtSequence {
  std::string name;
  std::vector<ArtStep> steps;
};

struct ArtSprite {
  std::string name, curFrameName;
  std::map<std::string, std::string> tags;
  std::vector<ArtImageEntry> frames;
  std::vector<ArtSequence> sequences;
  const ArtImageEntry* FindFrame(const std::string& name) const;
  const ArtSequence* FindSequence(const std::string& name) const;
};

struct ArtKeyFrame {
  int frame = 0;
  std::string item;
  double x = 0, y = 0, z = 0;
  bool visible = false;
  bool hasFrameName = false;
  std::string curFrameName;
};

struct ArtDirector {
  std::string name;
  double frameLength = 0;
  int lastFrame = 0;
  std::vector<std::string> items;
  std::vector<ArtKeyFrame> keyFrames;
};

struct ArtSound {
  std::string name, file;
};

struct ArtManifest {
  std::string root;  // directory the manifest's paths are relative to
  std::string palette;
  int greenIndex = -1, blueIndex = -1, blackIndex = -1, whiteIndex = -1;
  int greyFirst = -1, greyLast = -1;
  std::vector<ArtSource> sources;
  std::vector<ArtImageEntry> pictures;
  std::vector<ArtImageEntry> skins;
  std::vector<ArtSprite> sprites;
  std::vector<ArtDirector> directors;
  std::vector<ArtSound> sounds;

  std::vector<const ArtImageEntry*> AllImages() const;
  const ArtImageEntry* FindPicture(const std::string& name) const;
  const ArtSprite* FindSprite(const std::string& name) const;
  const ArtSource* FindSource(const std::string& id) const;
  std::string PathOf(const std::string& relative) const { return root + "/" + relative; }
};

// `root` defaults to the manifest's parent's parent (the manifest lives in <root>/art/).
ArtManifest ParseManifest(const std::string& jsonText, const std::string& root);
ArtManifest LoadManifest(const std::string& fileName);

bool SameName(const std::string& a, const std::string& b);
