#include "fuzz/SmallImageStream.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "engine/graphics/VBmpWriter.h"
#include "engine/graphics/VDib.h"
#include "tools/vcs/VcsImages.h"
#include "tools/vcs/VcsJsonReader.h"
#include "tools/vcs/VcsModel.h"
#include "tools/vcs/VcsPixieForms.h"
#include "tools/vcs/VcsValueForms.h"

namespace {

// Every image reference ({"file": ...} values and the "image" of frames) now names `image`.
void ReplaceImages(VcsJson& node, const std::string& image)
{
    if (node.is_object()) {
        for (auto& [key, value] : node.items()) {
            if ((key == "file" || key == "image") && value.is_string())
                value = image;
            else
                ReplaceImages(value, image);
        }
    } else if (node.is_array()) {
        for (VcsJson& element : node)
            ReplaceImages(element, image);
    }
}

// Every "Frequency=N" tag with N above `most` now says `most`.
void CapCopies(VcsJson& node, int most)
{
    static const std::string kTag = "Frequency=";
    if (node.is_string()) {
        const std::string& text = node.get_ref<const std::string&>();
        if (text.rfind(kTag, 0) == 0 && std::atoi(text.c_str() + kTag.size()) > most)
            node = kTag + std::to_string(most);
    } else if (node.is_structured()) {
        for (VcsJson& element : node)
            CapCopies(element, most);
    }
}

}  // namespace

std::filesystem::path MainStreamSource()
{
    return std::filesystem::path(ZIBOLT_SOURCE_DIR) / "assets" / "stream" / "Main.json";
}

std::filesystem::path SceneSourceDir()
{
    return std::filesystem::path(ZIBOLT_SOURCE_DIR) / "assets" / "scenes";
}

std::string SmallImageStream(const std::filesystem::path& source, const std::string& scratchDir, int side,
                             int maxCopies)
{
    std::ifstream in(source, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in)
        throw std::runtime_error("cannot read " + source.string());

    RegisterPixieValueForms();
    VcsBuildContext context;
    context.baseDir = source.parent_path();
    // A checker of the see-through green and another master colour, so that transparency
    // and the ship's layering still have something to work on.
    const VcsPalette& master = BuildPalette(context, "the small image");
    auto green = std::find_if(master.begin(), master.end(), [](const VPaletteEntry& e) {
        return e.red == 0 && e.green == 255 && e.blue == 0;
    });
    const auto clear = static_cast<uint8_t>(green == master.end() ? 0 : green - master.begin());
    VDib dib(side, side);
    std::copy(master.begin(), master.end(), dib.GetPaletteEntries());
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            *dib.GetPixelAddress(x, y) = (x + y) % 2 ? clear : static_cast<uint8_t>(clear + 1);
    const std::filesystem::path image = std::filesystem::path(scratchDir) / "small.bmp";
    SaveBmpFile(image.string(), dib);

    VcsJson root = VcsJson::parse(text.str(), nullptr, true, true);
    ReplaceImages(root, image.string());
    if (maxCopies > 0)
        CapCopies(root, maxCopies);
    return StreamBytes(StreamFromJson(root, context));
}

