#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/VWordWrap.h"
#include "platform/freetype/VFontLocator.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

// One rendered glyph: 8-bit coverage rows, placed relative to the pen on the baseline.
struct VGlyph {
    int32_t left = 0;  // from the pen to the first column
    int32_t top = 0;   // from the baseline up to the first row
    int32_t width = 0;
    int32_t rows = 0;
    std::vector<uint8_t> coverage;  // rows x width
};

// Every byte of the code page rendered at one cell height.
struct VGlyphSet {
    int32_t height = 0;  // cell height: ascent plus descent
    int32_t ascent = 0;  // from the cell's top to the baseline
    VAdvanceTable advances{};
    std::array<VGlyph, 256> glyphs;
};

// A scalable face opened with FreeType, with its glyphs kept per cell height.
class VFreeTypeFont {
public:
    // Raises VException naming the file when it cannot be opened as a scalable font.
    explicit VFreeTypeFont(const VFontFile& file);
    ~VFreeTypeFont();
    VFreeTypeFont(const VFreeTypeFont&) = delete;
    VFreeTypeFont& operator=(const VFreeTypeFont&) = delete;

    // The glyphs at `height` pixels of cell height, rendered on first request.
    std::shared_ptr<const VGlyphSet> GlyphsFor(int32_t height);
    const VFontFile& GetFile() const { return file_; }

private:
    std::shared_ptr<VGlyphSet> Render(int32_t height);

    VFontFile file_;
    FT_LibraryRec_* library_ = nullptr;
    FT_FaceRec_* face_ = nullptr;
    // Few heights are ever asked for; the set is emptied should many be.
    std::map<int32_t, std::shared_ptr<const VGlyphSet>> sets_;
};
