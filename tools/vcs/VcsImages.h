#pragma once

#include <filesystem>
#include <string>

#include "tools/vcs/VcsJson.h"
#include "tools/vcs/VcsPalette.h"

// An image file given by an author as PNG (any kind) or 8-bit BMP (any palette), made into the
// 8-bit BMP that a stream embeds: every pixel becomes the master palette's index of its colour,
// or of the nearest master colour (never a key colour), and see-through pixels of a PNG become
// pure green, the show's see-through colour. Colours too far from every master colour are
// refused, named with a pixel that uses them, since they would look plainly different on the
// stage. The BMP carries the master palette (read from `palettePath` as well, for the colour
// names). Failures throw VcsBuildError that names the file (`shownName`) and the problem.
std::string ImageToStreamBmp(const std::filesystem::path& path, const std::string& shownName,
                             const VcsPalette& master, const std::filesystem::path& palettePath,
                             const std::string& where);

struct VcsBuildContext;

// The master palette of the build, read from context.palettePath at the first call.
const VcsPalette& BuildPalette(VcsBuildContext& context, const std::string& where);

// The BMP bytes for an image path in a JSON value, relative to the JSON file's folder.
std::string ImageValue(const VcsJson& value, VcsBuildContext& context, const std::string& where);

// Registers {"image": "art/ship.png"}: a picture's "Surface" from a PNG or BMP file.
void RegisterImageValueForm();
