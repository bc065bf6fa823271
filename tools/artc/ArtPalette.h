#pragma once

#include <array>
#include <cstdint>
#include <string>

struct ArtRgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const ArtRgb&, const ArtRgb&) = default;
};

int SquaredDistance(const ArtRgb& a, const ArtRgb& b);

// The 256-entry master palette, read from its text source: one "r g b  # name" line per index,
// blank lines and lines starting with '#' ignored.
class ArtPalette {
public:
  static constexpr int kSize = 256;
  static ArtPalette Parse(const std::string& text, const std::string& origin = "palette");
  static ArtPalette LoadFile(const std::string& fileName);

  const ArtRgb& operator[](int index) const { return colours_.at(index); }
  const std::string& Name(int index) const { return names_.at(index); }
  // Index of the first entry equal to rgb, or -1.
  int FindExact(const ArtRgb& rgb) const;
  int FindByName(const std::string& name) const;

private:
  std::array<ArtRgb, kSize> colours_{};
  std::array<std::string, kSize> names_{};
};
