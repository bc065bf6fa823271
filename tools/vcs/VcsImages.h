#pragma once

#include <filesystem>
#include <string>

#include "tools/vcs/VcsJson.h"
#include "tools/vcs/VcsPalette.h"

// An image file given by an author as PNG or BMP, made into the 8-bit BMP that a stream
// embeds. Every colour the image uses must be one of the master palette's, so the picture
// looks the same on the stage as in the art tools; the pixels are renumbered to the master
// palette's indices and the BMP carries the master palette. Failures throw VcsBuildError
// that names the file (`shownName`) and the problem.
std::string ImageToStreamBmp(const std::filesystem::path& path, const std::string& shownName,
                             const VcsPalette& master, const std::string& where);

struct VcsBuildContext;

// The master palette of the build, read from context.palettePath at the first call.
const VcsPalette& BuildPalette(VcsBuildContext& context, const std::string& where);

// The BMP bytes for an image path in a JSON value, relative to the JSON file's folder.
std::string ImageValue(const VcsJson& value, VcsBuildContext& context, const std::string& where);

// Registers {"image": "art/ship.png"}: a picture's "Surface" from a PNG or BMP file.
void RegisterImageValueForm();
