#pragma once

#include <string>

#include "tools/artc/ArtManifest.h"

// Writes an SVG contact sheet of every image of the manifest, each over a checker board where
// its key colour is, named, with its hot spot marked; rsvg-convert turns it into a PNG.
void WriteContactSheet(const ArtManifest& manifest, const std::string& svgFile);
