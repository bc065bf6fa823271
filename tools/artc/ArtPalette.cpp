#include "tools/artc/ArtPalette.h"

#include <fstream>
#include <sstream>

#include "tools/artc/ArtError.h"

int SquaredDistance(const ArtRgb& a, const ArtRgb& b) {
  const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
  return dr * dr + dg * dg + db * db;
}

ArtPalette ArtPalette::Parse(const std::string& text, const std::string& origin) {
  ArtPalette palette;
  std::istringstream lines(text);
  std::string line;
  int lineNumber = 0, count = 0;
  while (std::getline(lines, line)) {
    ++lineNumber;
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == '#') continue;
    std::string name;
    const auto hash = line.find('#');
    if (hash != std::string::npos) {
      name = line.substr(hash + 1);
      name.erase(0, name.find_first_not_of(" \t"));
      name.erase(name.find_last_not_of(" \t\r") + 1);
      line.erase(hash);
    }
    std::istringstream fields(line);
    int r = -1, g = -1, b = -1;
    std::string extra;
    if (!(fields >> r >> g >> b) || (fields >> extra) || r < 0 || r > 255 || g < 0 || g > 255 ||
        b < 0 || b > 255)
      throw ArtError(origin + ":" + std::to_string(lineNumber) +
                     ": expected three numbers 0-255 ('r g b  # name')");
    if (count == kSize)
      throw ArtError(origin + ":" + std::to_string(lineNumber) + ": more than 256 colours");
    palette.colours_[count] = {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                               static_cast<std::uint8_t>(b)};
    palette.names_[count] = name;
    ++count;
  }
  if (count != kSize)
    throw ArtError(origin + ": has " + std::to_string(count) + " colours, needs 256");
  return palette;
}

ArtPalette ArtPalette::LoadFile(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) throw ArtError("cannot open palette " + fileName);
  std::ostringstream text;
  text << file.rdbuf();
  return Parse(text.str(), fileName);
}

int ArtPalette::FindExact(const ArtRgb& rgb) const {
  for (int i = 0; i < kSize; ++i)
    if (colours_[i] == rgb) return i;
  return -1;
}

int ArtPalette::FindByName(const std::string& name) const {
  for (int i = 0; i < kSize; ++i)
    if (names_[i] == name) return i;
  return -1;
}
