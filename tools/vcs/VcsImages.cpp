#include "tools/vcs/VcsImages.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <map>
#include <utility>
#include <vector>

#include "engine/graphics/VBmpWriter.h"
#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "platform/headless/VIndexedImage.h"
#include "tools/artc/ArtError.h"
#include "tools/artc/ArtPalette.h"
#include "tools/artc/ArtPng.h"
#include "tools/artc/ArtQuantiser.h"
#include "tools/vcs/VcsBytes.h"
#include "tools/vcs/VcsErrors.h"
#include "tools/vcs/VcsFiles.h"
#include "tools/vcs/VcsValueForms.h"

namespace {

constexpr std::uintmax_t kMaxImageBytes = INT32_MAX;
constexpr int kKeyGreen = 32;    // pure green: see-through wherever a frame or picture keys it
// A colour farther than this from every master colour (the art tools' weighted measure,
// 2 dr^2 + 4 dg^2 + 3 db^2; about 50 a channel) is not placed: it would look plainly different.
constexpr long kFarthestPlaced = 25000;
constexpr std::size_t kUnplacedShown = 3;

bool IsPng(const std::string& bytes)
{
    return bytes.compare(0, 8, "\x89PNG\r\n\x1a\n", 8) == 0;
}

std::string ColourText(const ArtRgb& c)
{
    char text[32];
    std::snprintf(text, sizeof text, "(%d, %d, %d)", c.r, c.g, c.b);
    return text;
}

long Distance(const ArtRgb& a, const ArtRgb& b)
{
    long dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return 2 * dr * dr + 4 * dg * dg + 3 * db * db;
}

// Finds each colour's master index: its own colour where the master has it, else the nearest
// master colour that is not a key (so edges next to see-through stay hard), else none; the
// colours left without one are kept, each with the first pixel that uses it, for the message.
class ColourPlacer {
public:
    explicit ColourPlacer(const std::filesystem::path& palettePath)
        : palette_(ArtPalette::LoadFile(palettePath.string())), quantiser_(palette_, {kKeyGreen, 33})
    {
    }
    const ArtPalette& Palette() const { return palette_; }

    // The index for rgb, or -1 (noted) when no master colour is near.
    int Place(const ArtRgb& rgb, int x, int y)
    {
        int exact = palette_.FindExact(rgb);
        if (exact >= 0)
            return exact;
        int nearest = quantiser_.Nearest(rgb);
        if (Distance(palette_[nearest], rgb) <= kFarthestPlaced)
            return nearest;
        uint32_t key = (uint32_t(rgb.r) << 16) | (uint32_t(rgb.g) << 8) | rgb.b;
        if (!unplaced_.count(key))
            order_.push_back(key);
        unplaced_.emplace(key, std::make_pair(x, y));
        return -1;
    }

    void ThrowIfUnplaced(const std::string& shown, const std::string& where) const
    {
        if (order_.empty())
            return;
        std::string text = Quoted(shown) + " has colours the master palette cannot place: ";
        for (std::size_t i = 0; i < order_.size() && i < kUnplacedShown; ++i) {
            uint32_t key = order_[i];
            ArtRgb rgb{uint8_t(key >> 16), uint8_t(key >> 8), uint8_t(key)};
            auto [x, y] = unplaced_.at(key);
            int nearest = quantiser_.Nearest(rgb);
            text += (i ? "; " : "") + ColourText(rgb) + " at " + std::to_string(x) + "," + std::to_string(y) +
                    " (the nearest, " + palette_.Name(nearest) + " " + ColourText(palette_[nearest]) + ", is too far)";
        }
        if (order_.size() > kUnplacedShown)
            text += "; and " + std::to_string(order_.size() - kUnplacedShown) + " more";
        throw VcsBuildError(where, text + ". Recolour them with colours of the master palette.");
    }

private:
    ArtPalette palette_;
    ArtQuantiser quantiser_;
    std::map<uint32_t, std::pair<int, int>> unplaced_;
    std::vector<uint32_t> order_;
};

std::string ReadBytes(const std::filesystem::path& path, const std::string& shown, const std::string& where)
{
    try {
        return ReadFileBytes(path, kMaxImageBytes);
    } catch (const VcsFileError& e) {
        throw VcsBuildError(where, Quoted(shown) + ": " + e.Reason() + ".");
    }
}

// An 8-bit BMP, with its own palette.
VIndexedImage ReadBmp(const std::string& bytes, const std::string& shown, const std::string& where)
{
    try {
        VMemoryStream in(bytes.data(), bytes.size());
        VDib dib(1, 1);
        int used = 0;
        dib.LoadFromStream(in, used, static_cast<int64_t>(bytes.size()));
        return ImageFromDib(dib);
    } catch (const VException& e) {
        throw VcsBuildError(where, Quoted(shown) + " is neither a PNG nor an 8-bit bitmap the show can read (save "
                                                   "it as PNG): " + e.GetMessage());
    }
}

// Each index the image uses maps to the master index of its colour, preferring the same index,
// so an image already drawn with the master palette stays as it is.
void PlaceIndexed(VIndexedImage& image, const VcsPalette& master, ColourPlacer& placer)
{
    std::array<int, kPaletteSize> map;
    map.fill(-2);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        uint8_t& pixel = image.pixels[i];
        int& to = map[pixel];
        if (to == -2) {
            const VPaletteEntry& c = image.palette[pixel];
            if (master[pixel] == VPaletteEntry{c.blue, c.green, c.red, 0})
                to = pixel;
            else
                to = placer.Place({c.red, c.green, c.blue}, int(i % image.width), int(i / image.width));
        }
        pixel = static_cast<uint8_t>(std::max(to, 0));
    }
}

// True colour: half see-through and clearer becomes pure green, the rest its master colour.
VIndexedImage PlaceTrueColour(const ArtRgbaImage& rgba, ColourPlacer& placer)
{
    VIndexedImage image;
    image.width = rgba.width;
    image.height = rgba.height;
    image.pixels.resize(static_cast<std::size_t>(rgba.width) * rgba.height);
    for (int y = 0; y < rgba.height; ++y)
        for (int x = 0; x < rgba.width; ++x) {
            const uint8_t* p = rgba.At(x, y);
            int index = p[3] < 128 ? kKeyGreen : placer.Place({p[0], p[1], p[2]}, x, y);
            image.pixels[static_cast<std::size_t>(y) * rgba.width + x] = static_cast<uint8_t>(std::max(index, 0));
        }
    return image;
}

}  // namespace

std::string ImageToStreamBmp(const std::filesystem::path& path, const std::string& shownName,
                             const VcsPalette& master, const std::filesystem::path& palettePath,
                             const std::string& where)
{
    std::string bytes = ReadBytes(path, shownName, where);
    ColourPlacer placer(palettePath);
    VIndexedImage image;
    // Every kind of PNG (paletted at any depth, grey, true colour, with alpha) is read as RGBA;
    // the master palette has each colour once, so a picture in its colours keeps its indices.
    if (IsPng(bytes)) {
        try {
            image = PlaceTrueColour(ReadPng(path.string()), placer);
        } catch (const ArtError& e) {
            throw VcsBuildError(where, Quoted(shownName) + " is not a PNG the build can take: " + e.what());
        }
    } else {
        image = ReadBmp(bytes, shownName, where);
        PlaceIndexed(image, master, placer);
    }
    placer.ThrowIfUnplaced(shownName, where);
    image.palette = master;
    image.paletteSize = kPaletteSize;
    return BmpBytes(*DibFromImage(image));
}

const VcsPalette& BuildPalette(VcsBuildContext& context, const std::string& where)
{
    if (!context.palette) {
        std::filesystem::path path = context.palettePath.empty() ? DefaultPalettePath() : context.palettePath;
        try {
            context.palette = LoadPalette(path);
        } catch (const VcsFileError& e) {
            throw VcsBuildError(where, std::string("the master palette ") + e.what() + ".");
        }
    }
    return *context.palette;
}

std::string ImageValue(const VcsJson& value, VcsBuildContext& context, const std::string& where)
{
    std::string name = AsciiText(value, where, "\"image\"");
    if (name.empty())
        throw VcsBuildError(where, "the \"image\" path is empty.");
    const VcsPalette& master = BuildPalette(context, where);
    std::filesystem::path palette = context.palettePath.empty() ? DefaultPalettePath() : context.palettePath;
    std::string bmp = ImageToStreamBmp(context.baseDir / name, name, master, palette, where);
    if (bmp.size() > static_cast<std::size_t>(INT32_MAX))
        throw VcsBuildError(where, Quoted(name) + " is larger than a length token can say.");
    return bmp;
}

void RegisterImageValueForm()
{
    RegisterValueForm("image", ImageValue);
}
