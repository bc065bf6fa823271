#pragma once

#include <string>
#include <vector>

#include "tools/artc/ArtManifest.h"
#include "tools/artc/ArtPalette.h"

// Each check returns the problems it found, one readable line each; empty means all is well.
// They encode the rules the engine relies on: key colours only where allowed, the ship's
// measurements, the names that the show looks up.
std::vector<std::string> CheckPalette(const ArtPalette& palette, const ArtManifest& manifest);
std::vector<std::string> CheckImageFiles(const ArtManifest& manifest, const ArtPalette& palette);
std::vector<std::string> CheckGeometry(const ArtManifest& manifest);
std::vector<std::string> CheckSprites(const ArtManifest& manifest);
std::vector<std::string> CheckDirectors(const ArtManifest& manifest);
std::vector<std::string> CheckSounds(const ArtManifest& manifest);

// All of the above, the palette loaded from the manifest.
std::vector<std::string> CheckAll(const ArtManifest& manifest);

// Squared RGB distance below which no other entry may come near a key colour.
constexpr int kKeyClearance = 3000;
