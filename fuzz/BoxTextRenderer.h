#pragma once

// Text for the fuzz targets: fixed-size letters drawn as boxes, so balloons lay out and paint
// without a font library in the loop.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "engine/graphics/VDib.h"
#include "engine/graphics/VPolygon.h"
#include "engine/graphics/VTextRenderer.h"

class BoxTextPainter : public VTextPainter {
public:
    explicit BoxTextPainter(VDib& target) : target_(target) {}
    VTextExtent MeasureLine(std::string_view text) override
    {
        return {static_cast<int32_t>(std::min<std::size_t>(text.size(), 4096)) * 8, 16};
    }
    VTextBox MeasureWrapped(std::string_view text, VTextBox box) override
    {
        int32_t width = std::max<int32_t>(box.Width(), 8);
        int32_t lines = 1 + static_cast<int32_t>(std::min<std::size_t>(text.size() * 8 / width, 256));
        box.bottom = box.top + 16 * lines;
        return box;
    }
    void DrawWrapped(std::string_view, const VTextBox& box) override
    {
        VPoint corners[] = {{box.left, box.top}, {box.right, box.top}, {box.right, box.bottom}, {box.left, box.bottom}};
        OutlinePolygon(target_, corners, 4, 0);
    }
    void Polygon(const VPoint* points, std::size_t count) override
    {
        FillPolygon(target_, points, count, 255);
        OutlinePolygon(target_, points, count, 0);
    }

private:
    VDib& target_;
};

class BoxTextRenderer : public VTextRenderer {
public:
    std::unique_ptr<VTextPainter> Begin(VDib& target, const VTextFont& font) override
    {
        CheckFontHeight(font.height);
        return std::make_unique<BoxTextPainter>(target);
    }
};
