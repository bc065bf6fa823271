#include "tools/vcs/VcsImages.h"

#include <climits>
#include <cstdio>

#include "engine/graphics/VBmpWriter.h"
#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "platform/headless/VIndexedImage.h"
#include "platform/headless/VPngFile.h"
#include "tools/vcs/VcsBytes.h"
#include "tools/vcs/VcsErrors.h"
#include "tools/vcs/VcsFiles.h"
#include "tools/vcs/VcsValueForms.h"

namespace {

constexpr std::uintmax_t kMaxImageBytes = INT32_MAX;

bool IsPng(const std::string& bytes)
{
    return bytes.compare(0, 8, "\x89PNG\r\n\x1a\n", 8) == 0;
}

// The colour type byte of the PNG header chunk, or -1 when the file is too short to say.
int PngColourType(const std::string& bytes)
{
    return bytes.size() > 25 && bytes.compare(12, 4, "IHDR") == 0 ? static_cast<unsigned char>(bytes[25]) : -1;
}

std::string ColourText(const VPaletteEntry& c)
{
    char text[32];
    std::snprintf(text, sizeof text, "(%d, %d, %d)", c.red, c.green, c.blue);
    return text;
}

VIndexedImage ReadImage(const std::filesystem::path& path, const std::string& shown, const std::string& where)
{
    std::string bytes;
    try {
        bytes = ReadFileBytes(path, kMaxImageBytes);
    } catch (const VcsFileError& e) {
        throw VcsBuildError(where, Quoted(shown) + ": " + e.Reason() + ".");
    }
    if (IsPng(bytes)) {
        int type = PngColourType(bytes);
        if (type == 2 || type == 6)
            throw VcsBuildError(where, Quoted(shown) + " is an RGB PNG; give an 8-bit paletted PNG with the "
                                                       "master palette (the art tools write them).");
        try {
            return ReadPngFile(path.string());
        } catch (const VException& e) {
            throw VcsBuildError(where, Quoted(shown) + " is not a PNG the build can take: " + e.GetMessage());
        }
    }
    try {
        VMemoryStream in(bytes.data(), bytes.size());
        VDib dib(1, 1);
        int used = 0;
        dib.LoadFromStream(in, used, static_cast<int64_t>(bytes.size()));
        return ImageFromDib(dib);
    } catch (const VException& e) {
        throw VcsBuildError(where, Quoted(shown) + " is neither a PNG nor a bitmap the show can read: " +
                                       e.GetMessage());
    }
}

}  // namespace

std::string ImageToStreamBmp(const std::filesystem::path& path, const std::string& shownName,
                             const VcsPalette& master, const std::string& where)
{
    VIndexedImage image = ReadImage(path, shownName, where);
    // Each index the image uses maps to the master entry of exactly its colour, preferring
    // the same index, so an image already drawn with the master palette stays as it is.
    std::array<int, kPaletteSize> map;
    map.fill(-1);
    for (uint8_t& pixel : image.pixels) {
        int& to = map[pixel];
        if (to < 0) {
            const VPaletteEntry& colour = image.palette[pixel];
            if (master[pixel] == VPaletteEntry{colour.blue, colour.green, colour.red, 0}) {
                to = pixel;
            } else {
                for (int i = 0; i < kPaletteSize && to < 0; ++i) {
                    if (master[i].red == colour.red && master[i].green == colour.green && master[i].blue == colour.blue)
                        to = i;
                }
            }
            if (to < 0)
                throw VcsBuildError(where, Quoted(shownName) + ": its palette differs from the master palette: "
                                           "colour " + ColourText(colour) + " at index " + std::to_string(pixel) +
                                           " is not a master colour.");
        }
        pixel = static_cast<uint8_t>(to);
    }
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
    std::string bmp = ImageToStreamBmp(context.baseDir / name, name, master, where);
    if (bmp.size() > static_cast<std::size_t>(INT32_MAX))
        throw VcsBuildError(where, Quoted(name) + " is larger than a length token can say.");
    return bmp;
}

void RegisterImageValueForm()
{
    RegisterValueForm("image", ImageValue);
}
