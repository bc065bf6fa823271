// Writes a seed corpus of scene files for fuzz_scene into the folder given: every scene source
// of the show (every kind and the float library) built with small images.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/SeedFiles.h"
#include "fuzz/SmallImageStream.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: seed_scene DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::vector<std::filesystem::path> sources;
    for (const auto& entry : std::filesystem::directory_iterator(SceneSourceDir()))
        if (entry.path().extension() == ".json")
            sources.push_back(entry.path());
    std::sort(sources.begin(), sources.end());
    std::vector<std::string> seeds;
    try {
        for (const auto& source : sources)
            seeds.push_back(SmallImageStream(source, dir));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "seed_scene: %s\n", e.what());
        return 1;
    }
    std::filesystem::remove(std::filesystem::path(dir) / "small.bmp");
    return seed::WriteSeeds("seed_scene", dir, seeds, ".vcs") ? 0 : 1;
}
