#pragma once

#include <filesystem>
#include <string>

// A component stream built from its JSON source (as `vcs build` does) with every image
// replaced by one of `side` x `side` pixels: the same records, names, key frames and texts,
// for a small part of the time that reading, copying and composing the full art takes under
// the sanitizers. `scratchDir` is where the small image is written for the build to read.
// `maxCopies` above 0 caps every "Frequency" tag (how many copies of a floating sprite the show
// makes) at that number.
std::string SmallImageStream(const std::filesystem::path& jsonSource, const std::string& scratchDir,
                             int side = 4, int maxCopies = 0);

// The JSON sources of the show: the main stream's and the scene files'.
std::filesystem::path MainStreamSource();
std::filesystem::path SceneSourceDir();
