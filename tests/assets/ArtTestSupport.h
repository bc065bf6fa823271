#pragma once

#include <string>

#include "tools/artc/ArtManifest.h"
#include "tools/artc/ArtPalette.h"

inline std::string AssetsDir() { return std::string(ZIBOLT_SOURCE_DIR) + "/assets"; }

inline const ArtManifest& CommittedManifest() {
  static const ArtManifest manifest = LoadManifest(AssetsDir() + "/art/manifest.json");
  return manifest;
}

inline const ArtPalette& MasterPalette() {
  static const ArtPalette palette = ArtPalette::LoadFile(AssetsDir() + "/palette/master.txt");
  return palette;
}

// Joins problem lines so a failing expectation shows all of them.
inline std::string Lines(const std::vector<std::string>& problems) {
  std::string out;
  for (const auto& p : problems) out += p + "\n";
  return out;
}
