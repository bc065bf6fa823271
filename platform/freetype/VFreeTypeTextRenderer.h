#pragma once

#include <map>
#include <memory>
#include <string>

#include "engine/graphics/VTextRenderer.h"
#include "platform/freetype/VFreeTypeFont.h"

// Text through FreeType for the backends that have no platform text of their own. A face
// asked for by name is used when installed; otherwise Comic Neue, then DejaVu Sans, then
// whatever sans-serif face fontconfig offers.
class VFreeTypeTextRenderer : public VTextRenderer {
public:
    VFreeTypeTextRenderer() = default;
    // Every face name is served from this one file.
    explicit VFreeTypeTextRenderer(const VFontFile& fixedFont);

    std::unique_ptr<VTextPainter> Begin(VDib& target, const VTextFont& font) override;

    // The font file a face name is served from; raises VException when there is none.
    const VFontFile& FontFor(const std::string& face);

private:
    VFreeTypeFont& FaceFor(const std::string& face);

    std::unique_ptr<VFreeTypeFont> fixed_;
    std::map<std::string, std::unique_ptr<VFreeTypeFont>> faces_;
};

// Installs one process-wide FreeType renderer as the text renderer (once) and returns it.
VFreeTypeTextRenderer& InstallFreeTypeTextRenderer();
