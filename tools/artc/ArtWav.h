#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ArtWavInfo {
  int channels = 0, sampleRate = 0, bitsPerSample = 0, format = 0;
  std::uint32_t dataBytes = 0;
  double Seconds() const;
};

// The fmt and data chunks of a RIFF WAVE file; anything malformed throws ArtError.
ArtWavInfo DecodeWav(const std::vector<std::uint8_t>& bytes, const std::string& origin = "wave");
ArtWavInfo ReadWavFile(const std::string& fileName);
