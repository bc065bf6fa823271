#include "tools/artc/ArtWav.h"

#include <fstream>
#include <iterator>

#include "tools/artc/ArtError.h"

namespace {
std::uint32_t Get32(const std::vector<std::uint8_t>& in, std::size_t at) {
  return in[at] | (in[at + 1] << 8) | (in[at + 2] << 16) | (std::uint32_t(in[at + 3]) << 24);
}
std::uint32_t Get16(const std::vector<std::uint8_t>& in, std::size_t at) {
  return in[at] | (in[at + 1] << 8);
}
}  // namespace

double ArtWavInfo::Seconds() const {
  const double bytesPerSecond = double(sampleRate) * channels * (bitsPerSample / 8);
  return bytesPerSecond > 0 ? dataBytes / bytesPerSecond : 0;
}

ArtWavInfo DecodeWav(const std::vector<std::uint8_t>& in, const std::string& origin) {
  if (in.size() < 12 || std::string(in.begin(), in.begin() + 4) != "RIFF" ||
      std::string(in.begin() + 8, in.begin() + 12) != "WAVE")
    throw ArtError(origin + ": not a RIFF WAVE file");
  ArtWavInfo info;
  bool haveFormat = false, haveData = false;
  std::size_t at = 12;
  while (at + 8 <= in.size()) {
    const std::string id(in.begin() + at, in.begin() + at + 4);
    const std::uint32_t size = Get32(in, at + 4);
    if (size > in.size() - at - 8) throw ArtError(origin + ": chunk " + id + " runs past the end");
    if (id == "fmt ") {
      if (size < 16) throw ArtError(origin + ": fmt chunk too short");
      info.format = int(Get16(in, at + 8));
      info.channels = int(Get16(in, at + 10));
      info.sampleRate = int(Get32(in, at + 12));
      info.bitsPerSample = int(Get16(in, at + 22));
      haveFormat = true;
    } else if (id == "data") {
      info.dataBytes = size;
      haveData = true;
    }
    at += 8 + size + (size & 1);
  }
  if (!haveFormat || !haveData) throw ArtError(origin + ": lacks a fmt or data chunk");
  return info;
}

ArtWavInfo ReadWavFile(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) throw ArtError("cannot open " + fileName);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return DecodeWav(bytes, fileName);
}
