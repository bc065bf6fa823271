#pragma once

#include <filesystem>
#include <string>

// A component stream built from its JSON source (as `vcs build` does) with every image
// replaced by one of `side` x `side` pixels: the same records, names, key frames and texts,
// for a small part of the time that reading, copying and composing the full art takes under
// the sanitizers. `scratchDir` is where the small image is written for the build to read.
std::string SmallImageStream(const std::filesystem::path& jsonSource, const std::string& scratchDir,
                             int side = 4);

// The JSON sources of the show: the main stream's and the scene files'.
std::filesystem::path MainStreamSource();
std::filesystem::path SceneSourceDir();
