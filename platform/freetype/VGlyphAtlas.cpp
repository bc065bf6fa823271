#include "platform/freetype/VGlyphAtlas.h"

#include <cstdint>

#include "engine/stream/VException.h"
#include "platform/freetype/VFreeTypePainter.h"

namespace {

constexpr std::string_view kMagic = "VGLYPHS1";
// Far beyond any glyph of the allowed heights; keeps a damaged size from asking for gigabytes.
constexpr int32_t kMaxGlyphSide = 4 * kMaxFontHeight;

void PutInt(std::string& out, int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((bits >> shift) & 0xFF));
}

class AtlasReader {
public:
    AtlasReader(std::string_view bytes, const std::string& name) : bytes_(bytes), name_(name) {}

    [[noreturn]] void Fail(const std::string& what) const
    {
        throw VException("Glyph atlas " + name_ + " is damaged: " + what + ".");
    }
    std::string_view Take(std::size_t count)
    {
        if (count > bytes_.size() - at_)
            Fail("it ends early");
        std::string_view part = bytes_.substr(at_, count);
        at_ += count;
        return part;
    }
    int32_t Int()
    {
        std::string_view part = Take(4);
        uint32_t bits = 0;
        for (int i = 3; i >= 0; --i)
            bits = (bits << 8) | static_cast<unsigned char>(part[i]);
        return static_cast<int32_t>(bits);
    }
    int32_t IntIn(int32_t low, int32_t high, const char* what)
    {
        int32_t value = Int();
        if (value < low || value > high)
            Fail(std::string(what) + " " + std::to_string(value) + " is out of range");
        return value;
    }
    bool AtEnd() const { return at_ == bytes_.size(); }

private:
    std::string_view bytes_;
    const std::string& name_;
    std::size_t at_ = 0;
};

}  // namespace

std::string WriteGlyphAtlas(const VGlyphSets& sets)
{
    std::string out(kMagic);
    PutInt(out, static_cast<int32_t>(sets.size()));
    for (const auto& set : sets) {
        PutInt(out, set->height);
        PutInt(out, set->ascent);
        for (int32_t advance : set->advances)
            PutInt(out, advance);
        for (const VGlyph& glyph : set->glyphs) {
            PutInt(out, glyph.left);
            PutInt(out, glyph.top);
            PutInt(out, glyph.width);
            PutInt(out, glyph.rows);
            out.append(glyph.coverage.begin(), glyph.coverage.end());
        }
    }
    return out;
}

VGlyphSets ReadGlyphAtlas(std::string_view bytes, const std::string& name)
{
    AtlasReader in(bytes, name);
    if (in.Take(kMagic.size()) != kMagic)
        in.Fail("it does not start with " + std::string(kMagic));
    const int32_t count = in.IntIn(1, 64, "the number of sizes");
    VGlyphSets sets;
    for (int32_t s = 0; s < count; ++s) {
        auto set = std::make_shared<VGlyphSet>();
        set->height = in.IntIn(kMinFontHeight, kMaxFontHeight, "the height");
        set->ascent = in.IntIn(0, set->height, "the ascent");
        for (int32_t& advance : set->advances)
            advance = in.IntIn(0, kMaxGlyphSide, "an advance");
        for (VGlyph& glyph : set->glyphs) {
            glyph.left = in.IntIn(-kMaxGlyphSide, kMaxGlyphSide, "a glyph's left");
            glyph.top = in.IntIn(-kMaxGlyphSide, kMaxGlyphSide, "a glyph's top");
            glyph.width = in.IntIn(0, kMaxGlyphSide, "a glyph's width");
            glyph.rows = in.IntIn(0, kMaxGlyphSide, "a glyph's rows");
            std::string_view coverage = in.Take(std::size_t(glyph.width) * std::size_t(glyph.rows));
            glyph.coverage.assign(coverage.begin(), coverage.end());
        }
        sets.push_back(std::move(set));
    }
    if (!in.AtEnd())
        in.Fail("there are bytes after its last size");
    return sets;
}

std::unique_ptr<VTextPainter> VAtlasTextRenderer::Begin(VDib& target, const VTextFont& font)
{
    CheckFontHeight(font.height);
    std::string heights;
    for (const auto& set : sets_) {
        if (set->height == font.height)
            return std::make_unique<VFreeTypePainter>(target, set);
        heights += (heights.empty() ? "" : ", ") + std::to_string(set->height);
    }
    throw VParamException("No glyphs for text " + std::to_string(font.height) +
                          " pixels high; the glyph atlas holds " +
                          (heights.empty() ? "none" : heights) + ".");
}
