#include "tools/vcs/VcsPalette.h"

#include <sstream>

#include "tools/vcs/VcsErrors.h"
#include "tools/vcs/VcsFiles.h"

namespace {

constexpr std::uintmax_t kMaxPaletteBytes = 1 << 20;

}  // namespace

VcsPalette LoadPalette(const std::filesystem::path& path)
{
    std::istringstream text(ReadFileBytes(path, kMaxPaletteBytes));
    VcsPalette palette{};
    int count = 0;
    int lineNumber = 0;
    std::string line;
    while (std::getline(text, line)) {
        ++lineNumber;
        std::size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#')
            continue;
        std::istringstream fields(line.substr(0, line.find('#')));
        int rgb[3];
        std::string rest;
        if (!(fields >> rgb[0] >> rgb[1] >> rgb[2]) || (fields >> rest))
            throw VcsFileError(path.string(), "line " + std::to_string(lineNumber) + " is not \"r g b  # name\"");
        for (int c : rgb) {
            if (c < 0 || c > 255)
                throw VcsFileError(path.string(), "line " + std::to_string(lineNumber) + " has a colour outside 0..255");
        }
        if (count == kPaletteSize)
            throw VcsFileError(path.string(), "more than 256 colours");
        palette[count++] = VPaletteEntry{static_cast<uint8_t>(rgb[2]), static_cast<uint8_t>(rgb[1]),
                                         static_cast<uint8_t>(rgb[0]), 0};
    }
    if (count != kPaletteSize)
        throw VcsFileError(path.string(), "holds " + std::to_string(count) + " colours, not 256");
    return palette;
}

std::filesystem::path DefaultPalettePath()
{
    return ZIBOLT_VCS_DEFAULT_PALETTE;
}
