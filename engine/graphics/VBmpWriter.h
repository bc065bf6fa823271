#pragma once

#include <ostream>
#include <string>

#include "engine/graphics/VDib.h"

// Writes `dib` as an uncompressed 8-bit BMP file with a 40-byte header and 256 colours, the
// form the bitmap reader takes back unchanged. For tools and tests.
void WriteBmp(std::ostream& stream, const VDib& dib);
std::string BmpBytes(const VDib& dib);
// Raises VException when the file cannot be written.
void SaveBmpFile(const std::string& fileName, const VDib& dib);
