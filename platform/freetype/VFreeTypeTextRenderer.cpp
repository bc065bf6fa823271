#include "platform/freetype/VFreeTypeTextRenderer.h"

#include "engine/stream/VException.h"
#include "platform/freetype/VFreeTypePainter.h"

namespace {

// The balloons' face is not on free systems; these stand in for it, nearest in spirit first.
const char* const kStandIns[] = {"Comic Neue", "DejaVu Sans"};

VFontFile LocateFace(const std::string& face)
{
    VFontFile file = FindFontFamily(face);
    for (const char* standIn : kStandIns) {
        if (!file.path.empty())
            break;
        file = FindFontFamily(standIn);
    }
    if (file.path.empty())
        file = FindAnySansFont();
    if (file.path.empty())
        throw VException("No font found for " + face);
    return file;
}

}  // namespace

VFreeTypeTextRenderer::VFreeTypeTextRenderer(const VFontFile& fixedFont)
    : fixed_(std::make_unique<VFreeTypeFont>(fixedFont))
{
}

VFreeTypeFont& VFreeTypeTextRenderer::FaceFor(const std::string& face)
{
    if (fixed_)
        return *fixed_;
    std::unique_ptr<VFreeTypeFont>& slot = faces_[face];
    if (!slot)
        slot = std::make_unique<VFreeTypeFont>(LocateFace(face));
    return *slot;
}

const VFontFile& VFreeTypeTextRenderer::FontFor(const std::string& face)
{
    return FaceFor(face).GetFile();
}

std::unique_ptr<VTextPainter> VFreeTypeTextRenderer::Begin(VDib& target, const VTextFont& font)
{
    CheckFontHeight(font.height);
    return std::make_unique<VFreeTypePainter>(target, FaceFor(font.face).GlyphsFor(font.height));
}

VFreeTypeTextRenderer& InstallFreeTypeTextRenderer()
{
    static VFreeTypeTextRenderer renderer;
    SetTextRenderer(&renderer);
    return renderer;
}
