#include "tools/artc/ArtManifest.h"

#include <nlohmann/json.hpp>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/artc/ArtError.h"

using nlohmann::json;

namespace {

const json& Need(const json& object, const char* key, const std::string& where) {
  if (!object.is_object() || !object.contains(key))
    throw ArtError("manifest: " + where + " lacks \"" + key + "\"");
  return object.at(key);
}

template <typename T>
T Get(const json& object, const char* key, const std::string& where) {
  try {
    return Need(object, key, where).get<T>();
  } catch (const json::exception&) {
    throw ArtError("manifest: " + where + "." + key + " has the wrong type");
  }
}

template <typename T>
T GetOr(const json& object, const char* key, T fallback, const std::string& where) {
  if (!object.contains(key)) return fallback;
  return Get<T>(object, key, where);
}

int KeyIndex(const json& entry, const ArtManifest& m, const std::string& where) {
  if (!entry.contains("key") || entry.at("key").is_null()) return -1;
  const json& key = entry.at("key");
  if (key.is_string() && key.get<std::string>() == "green") return m.greenIndex;
  if (key.is_number_integer()) {
    const int index = key.get<int>();
    if (index >= 0 && index < 256) return index;
  }
  throw ArtError("manifest: " + where + ".key must be null, \"green\" or an index 0-255");
}

ArtImageEntry ReadImage(const json& entry, const ArtManifest& m, const std::string& owner,
                        const std::string& where) {
  ArtImageEntry image;
  image.name = Get<std::string>(entry, "name", where);
  const std::string here = where + "(" + image.name + ")";
  image.owner = owner;
  image.file = Get<std::string>(entry, "file", here);
  image.source = Get<std::string>(entry, "source", here);
  const auto rect = Get<std::vector<int>>(entry, "rect", here);
  if (rect.size() != 4) throw ArtError("manifest: " + here + ".rect needs x, y, w, h");
  image.x = rect[0];
  image.y = rect[1];
  image.width = rect[2];
  image.height = rect[3];
  image.keyIndex = KeyIndex(entry, m, here);
  image.blueMarker = GetOr<bool>(entry, "blueMarker", false, here);
  image.visible = GetOr<bool>(entry, "visible", false, here);
  if (entry.contains("matches")) {
    const json& match = entry.at("matches");
    image.matchImage = Get<std::string>(match, "image", here + ".matches");
    const auto at = Get<std::vector<int>>(match, "at", here + ".matches");
    if (at.size() != 2) throw ArtError("manifest: " + here + ".matches.at needs x, y");
    image.matchX = at[0];
    image.matchY = at[1];
  }
  if (entry.contains("hotSpot")) {
    const auto hot = Get<std::vector<double>>(entry, "hotSpot", here);
    if (hot.size() != 2) throw ArtError("manifest: " + here + ".hotSpot needs x, y");
    image.hotSpotX = hot[0];
    image.hotSpotY = hot[1];
  }
  return image;
}

ArtSequence ReadSequence(const json& entry, const std::string& where) {
  ArtSequence sequence;
  sequence.name = Get<std::string>(entry, "name", where);
  const std::string here = where + "(" + sequence.name + ")";
  for (const json& step : Need(entry, "steps", here)) {
    // [frame, ms] or [frame, ms, dx, dy, dz]
    if (!step.is_array() || (step.size() != 2 && step.size() != 5) || !step[0].is_string() ||
        !step[1].is_number())
      throw ArtError("manifest: " + here + " has a step that is not [frame, ms(, dx, dy, dz)]");
    ArtStep s;
    s.frame = step[0].get<std::string>();
    s.ms = step[1].get<double>();
    if (step.size() == 5) {
      if (!step[2].is_number_integer() || !step[3].is_number_integer() || !step[4].is_number_integer())
        throw ArtError("manifest: " + here + " has a step whose deltas are not integers");
      s.dx = step[2].get<int>();
      s.dy = step[3].get<int>();
      s.dz = step[4].get<int>();
    }
    sequence.steps.push_back(s);
  }
  return sequence;
}

ArtDirector ReadDirector(const json& entry, const std::string& where) {
  ArtDirector director;
  director.name = Get<std::string>(entry, "name", where);
  const std::string here = where + "(" + director.name + ")";
  director.frameLength = Get<double>(entry, "frameLength", here);
  director.lastFrame = Get<int>(entry, "lastFrame", here);
  director.items = Get<std::vector<std::string>>(entry, "items", here);
  for (const json& k : Need(entry, "keyFrames", here)) {
    ArtKeyFrame key;
    key.frame = Get<int>(k, "frame", here + ".keyFrames");
    key.item = Get<std::string>(k, "item", here + ".keyFrames");
    const std::string at = here + ".keyFrames(" + std::to_string(key.frame) + "," + key.item + ")";
    key.x = Get<double>(k, "XPos", at);
    key.y = Get<double>(k, "YPos", at);
    key.z = Get<double>(k, "ZPos", at);
    key.visible = Get<bool>(k, "Visible", at);
    if (k.contains("CurFrameName")) {
      key.hasFrameName = true;
      key.curFrameName = Get<std::string>(k, "CurFrameName", at);
    }
    director.keyFrames.push_back(key);
  }
  return director;
}

}  // namespace

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

const ArtImageEntry* ArtSprite::FindFrame(const std::string& n) const {
  for (const auto& f : frames)
    if (SameName(f.name, n)) return &f;
  return nullptr;
}

const ArtSequence* ArtSprite::FindSequence(const std::string& n) const {
  for (const auto& s : sequences)
    if (SameName(s.name, n)) return &s;
  return nullptr;
}

std::vector<const ArtImageEntry*> ArtManifest::AllImages() const {
  std::vector<const ArtImageEntry*> all;
  for (const auto& p : pictures) all.push_back(&p);
  for (const auto& s : skins) all.push_back(&s);
  for (const auto& sprite : sprites)
    for (const auto& f : sprite.frames) all.push_back(&f);
  return all;
}

const ArtImageEntry* ArtManifest::FindPicture(const std::string& n) const {
  for (const auto& p : pictures)
    if (SameName(p.name, n)) return &p;
  return nullptr;
}

const ArtSprite* ArtManifest::FindSprite(const std::string& n) const {
  for (const auto& s : sprites)
    if (SameName(s.name, n)) return &s;
  return nullptr;
}

const ArtSource* ArtManifest::FindSource(const std::string& id) const {
  for (const auto& s : sources)
    if (s.id == id) return &s;
  return nullptr;
}

ArtManifest ParseManifest(const std::string& jsonText, const std::string& root) {
  json doc;
  try {
    doc = json::parse(jsonText);
  } catch (const json::exception& e) {
    throw ArtError(std::string("manifest is not valid JSON: ") + e.what());
  }
  ArtManifest m;
  m.root = root;
  m.palette = Get<std::string>(doc, "palette", "manifest");
  const json& keys = Need(doc, "keyIndices", "manifest");
  m.greenIndex = Get<int>(keys, "green", "keyIndices");
  m.blueIndex = Get<int>(keys, "blue", "keyIndices");
  m.blackIndex = Get<int>(keys, "black", "keyIndices");
  m.whiteIndex = Get<int>(keys, "white", "keyIndices");
  const auto ramp = Get<std::vector<int>>(keys, "greyRamp", "keyIndices");
  if (ramp.size() != 2) throw ArtError("manifest: keyIndices.greyRamp needs first, last");
  m.greyFirst = ramp[0];
  m.greyLast = ramp[1];
  for (const json& s : Need(doc, "sources", "manifest")) {
    ArtSource source;
    source.id = Get<std::string>(s, "id", "sources");
    source.svg = Get<std::string>(s, "svg", "sources(" + source.id + ")");
    source.width = Get<int>(s, "width", "sources(" + source.id + ")");
    source.height = Get<int>(s, "height", "sources(" + source.id + ")");
    m.sources.push_back(source);
  }
  for (const json& p : Need(doc, "pictures", "manifest")) m.pictures.push_back(ReadImage(p, m, "", "pictures"));
  for (const json& p : Need(doc, "skins", "manifest")) m.skins.push_back(ReadImage(p, m, "", "skins"));
  for (const json& s : Need(doc, "sprites", "manifest")) {
    ArtSprite sprite;
    sprite.name = Get<std::string>(s, "name", "sprites");
    const std::string here = "sprites(" + sprite.name + ")";
    sprite.curFrameName = Get<std::string>(s, "curFrameName", here);
    sprite.tags = GetOr<std::map<std::string, std::string>>(s, "tags", {}, here);
    for (const json& f : Need(s, "frames", here)) sprite.frames.push_back(ReadImage(f, m, sprite.name, here + ".frames"));
    for (const json& q : Need(s, "sequences", here)) sprite.sequences.push_back(ReadSequence(q, here + ".sequences"));
    m.sprites.push_back(std::move(sprite));
  }
  for (const json& d : Need(doc, "directors", "manifest")) m.directors.push_back(ReadDirector(d, "directors"));
  for (const json& s : Need(doc, "sounds", "manifest")) {
    ArtSound sound;
    sound.name = Get<std::string>(s, "name", "sounds");
    sound.file = Get<std::string>(s, "file", "sounds(" + sound.name + ")");
    m.sounds.push_back(sound);
  }
  return m;
}

ArtManifest LoadManifest(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) throw ArtError("cannot open manifest " + fileName);
  std::ostringstream text;
  text << file.rdbuf();
  const auto root = std::filesystem::path(fileName).parent_path().parent_path();
  return ParseManifest(text.str(), root.empty() ? "." : root.string());
}
