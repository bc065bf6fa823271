#pragma once

#include <string>

#include "tools/artc/ArtImage.h"

// Any PNG, converted to straight 8-bit RGBA.
ArtRgbaImage ReadPng(const std::string& fileName);
void WritePng(const std::string& fileName, const ArtRgbaImage& image);
