#include "platform/freetype/VFreeTypePainter.h"

#include <algorithm>
#include <limits>

#include "engine/graphics/VDib.h"

namespace {

constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kBlack = 0x000000;

int32_t Clamp32(int64_t value)
{
    return int32_t(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                       std::numeric_limits<int32_t>::max()));
}

}  // namespace

VFreeTypePainter::VFreeTypePainter(VDib& target, std::shared_ptr<const VGlyphSet> glyphs)
    : target_(target), glyphs_(std::move(glyphs)),
      ramp_(target.GetPaletteEntries(), kWhite, kBlack)
{
}

VTextExtent VFreeTypePainter::MeasureLine(std::string_view text)
{
    return {Clamp32(TextWidth(text, glyphs_->advances)), glyphs_->height};
}

VTextBox VFreeTypePainter::MeasureWrapped(std::string_view text, VTextBox box)
{
    std::vector<VWrappedLine> lines = WrapText(text, box.Width(), glyphs_->advances);
    int64_t widest = 0;
    for (const VWrappedLine& line : lines)
        widest = std::max(widest, line.width);
    box.bottom = Clamp32(int64_t(box.top) + int64_t(lines.size()) * glyphs_->height);
    if (widest > box.Width())
        box.right = Clamp32(int64_t(box.left) + widest);
    return box;
}

void VFreeTypePainter::DrawWrapped(std::string_view text, const VTextBox& box)
{
    VTextBox clip = box;
    clip.left = std::max(clip.left, 0);
    clip.top = std::max(clip.top, 0);
    clip.right = std::min(clip.right, target_.GetWidth());
    clip.bottom = std::min(clip.bottom, target_.GetHeight());
    if (clip.left >= clip.right || clip.top >= clip.bottom || !target_.GetBits())
        return;
    std::vector<VWrappedLine> lines = WrapText(text, box.Width(), glyphs_->advances);
    const int64_t height = glyphs_->height;
    // From the top, as the platform's word-breaking text call draws: a trailing blank line
    // that the measure left out then runs off the bottom instead of pushing the first line
    // above the box.
    int64_t y = box.top;
    for (const VWrappedLine& line : lines) {
        if (y + height > clip.top && y < clip.bottom) {
            int64_t x = box.left + (int64_t(box.Width()) - line.width) / 2;
            DrawLine(text.substr(line.begin, line.end - line.begin), x, y, line.width, clip);
        }
        y += height;
    }
    target_.PixelsChanged();
}

void VFreeTypePainter::DrawLine(std::string_view line, int64_t x, int64_t y, int64_t width,
                                const VTextBox& clip)
{
    // Coverage is gathered over the cell and a margin around it, so glyphs that overhang
    // their cell or overlap each other keep their darkest value; the cell itself is painted
    // opaque, the margin only where a glyph reaches.
    const int64_t pad = glyphs_->height / 2 + 1;
    const int64_t left = std::max<int64_t>(x - pad, clip.left);
    const int64_t right = std::min<int64_t>(x + width + pad, clip.right);
    const int64_t top = std::max<int64_t>(y - pad, clip.top);
    const int64_t bottom = std::min<int64_t>(y + glyphs_->height + pad, clip.bottom);
    if (left >= right || top >= bottom)
        return;
    const int64_t columns = right - left;
    coverage_.assign(std::size_t(columns * (bottom - top)), 0);

    int64_t pen = x;
    const int64_t baseline = y + glyphs_->ascent;
    for (char c : line) {
        auto byte = static_cast<unsigned char>(c);
        const VGlyph& glyph = glyphs_->glyphs[byte];
        int64_t gx = pen + glyph.left;
        int64_t gy = baseline - glyph.top;
        pen += glyphs_->advances[byte];
        if (gx >= right || gx + glyph.width <= left || gy >= bottom || gy + glyph.rows <= top)
            continue;
        for (int32_t row = 0; row < glyph.rows; ++row) {
            int64_t py = gy + row;
            if (py < top || py >= bottom)
                continue;
            const uint8_t* source = glyph.coverage.data() + std::size_t(row) * glyph.width;
            uint8_t* dest = coverage_.data() + std::size_t((py - top) * columns);
            for (int32_t column = 0; column < glyph.width; ++column) {
                int64_t px = gx + column;
                if (px >= left && px < right)
                    dest[px - left] = std::max(dest[px - left], source[column]);
            }
        }
    }

    uint8_t* bits = target_.GetBits();
    const int32_t stride = target_.GetStride();
    for (int64_t py = top; py < bottom; ++py) {
        uint8_t* row = bits + std::size_t(stride) * std::size_t(target_.GetHeight() - 1 - py);
        const uint8_t* source = coverage_.data() + std::size_t((py - top) * columns);
        bool inCellRow = py >= y && py < y + glyphs_->height;
        for (int64_t px = left; px < right; ++px) {
            uint8_t value = source[px - left];
            bool inCell = inCellRow && px >= x && px < x + width;
            if (value != 0 || inCell)
                row[px] = ramp_.ForCoverage(value);
        }
    }
}

void VFreeTypePainter::Polygon(const VPoint* points, std::size_t count)
{
    FillPolygon(target_, points, count, ramp_.Background());
    OutlinePolygon(target_, points, count, ramp_.Text());
}
