#pragma once

#include <string>

#include "platform/headless/VIndexedImage.h"

// 8-bit palette-indexed PNG files. Both raise VException naming the file and the problem.
void WritePngFile(const std::string& path, const VIndexedImage& image);
// Only 8-bit palette-indexed images are taken; others are refused with a message.
VIndexedImage ReadPngFile(const std::string& path);
