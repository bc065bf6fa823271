#pragma once

#include <string>

#include "tools/artc/ArtImage.h"
#include "tools/artc/ArtManifest.h"
#include "tools/artc/ArtPalette.h"
#include "tools/artc/ArtQuantiser.h"

// The quantiser rules of one manifest image.
ArtQuantiseRules RulesFor(const ArtImageEntry& image, const ArtManifest& manifest);
ArtQuantiser MakeQuantiser(const ArtPalette& palette, const ArtManifest& manifest);

// Makes the opaque pixels of `image` those of its "matches" picture (already written).
void MatchPixels(ArtIndexedImage& image, const ArtImageEntry& entry, const ArtManifest& manifest);

// Renders every SVG source with rsvg-convert into workDir, then cuts, quantises and writes
// every image of the manifest. `only`, when not empty, limits the work to one source id.
// Returns the number of BMPs written.
int RenderAll(const ArtManifest& manifest, const std::string& workDir, const std::string& only);
