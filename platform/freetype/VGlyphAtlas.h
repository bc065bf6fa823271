#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/graphics/VTextRenderer.h"
#include "platform/freetype/VFreeTypeFont.h"

// Glyph sets rendered once by FreeType on the build machine and stored as bytes, so that a
// backend without a font engine (the web page) draws the balloons' text with exactly the
// native glyphs, advances and therefore bubble sizes.
using VGlyphSets = std::vector<std::shared_ptr<const VGlyphSet>>;

std::string WriteGlyphAtlas(const VGlyphSets& sets);
// Raises VException naming `name` and what is wrong when the bytes are not a whole atlas.
VGlyphSets ReadGlyphAtlas(std::string_view bytes, const std::string& name);

// Text from an atlas: every face name is served from it, in the heights it holds; another
// height is refused with a VParamException naming the heights there are.
class VAtlasTextRenderer : public VTextRenderer {
public:
    explicit VAtlasTextRenderer(VGlyphSets sets) : sets_(std::move(sets)) {}

    std::unique_ptr<VTextPainter> Begin(VDib& target, const VTextFont& font) override;

private:
    VGlyphSets sets_;
};
