// Writes a seed corpus of ship skins for fuzz_skin into the folder given: one of the show's
// own skins, images of other shapes and palette sizes, and a cut-off copy.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/SeedFiles.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: seed_skin DIR\n");
        return 2;
    }
    const auto skin = std::filesystem::path(ZIBOLT_SOURCE_DIR) / "assets" / "art" / "bmp" / "Skins" / "Red.bmp";
    std::ifstream in(skin, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in) {
        std::fprintf(stderr, "seed_skin: cannot read %s\n", skin.c_str());
        return 1;
    }
    std::vector<std::string> seeds = {bytes.str(), seed::Bmp(24, 20, 0, kPaletteSize), seed::Bmp(240, 6, 1),
                                      seed::Bmp(7, 300, 2, 2)};
    seeds.push_back(seeds[1].substr(0, seeds[1].size() - 9));
    return seed::WriteSeeds("seed_skin", argv[1], seeds, ".bmp") ? 0 : 1;
}
