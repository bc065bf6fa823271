#include "platform/win32/VGdiTextRenderer.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "engine/graphics/VDib.h"
#include "platform/win32/VWinDibPlatform.h"

namespace {

class VGdiTextPainter : public VTextPainter {
public:
    VGdiTextPainter(VDib& target, const VTextFont& font) : target_(target)
    {
        dc_ = static_cast<HDC>(target_.PushDC());
        UseBitmapColours(dc_, target_);
        LOGFONTA description{};
        description.lfHeight = font.height;
        description.lfWeight = font.weight;
        description.lfCharSet = DEFAULT_CHARSET;
        std::strncpy(description.lfFaceName, font.face.c_str(), LF_FACESIZE - 1);
        font_ = CreateFontIndirectA(&description);
        previousFont_ = font_ ? SelectObject(dc_, font_) : nullptr;
    }

    ~VGdiTextPainter() override
    {
        if (font_) {
            SelectObject(dc_, previousFont_);
            DeleteObject(font_);
        }
        target_.PopDC();
    }

    VTextExtent MeasureLine(std::string_view text) override
    {
        SIZE size{};
        GetTextExtentPointA(dc_, text.data(), int(text.size()), &size);
        return {int32_t(size.cx), int32_t(size.cy)};
    }

    VTextBox MeasureWrapped(std::string_view text, VTextBox box) override
    {
        RECT r{box.left, box.top, box.right, box.bottom};
        DrawTextA(dc_, text.data(), int(text.size()), &r, DT_CALCRECT | DT_WORDBREAK);
        return {int32_t(r.left), int32_t(r.top), int32_t(r.right), int32_t(r.bottom)};
    }

    void DrawWrapped(std::string_view text, const VTextBox& box) override
    {
        RECT r{box.left, box.top, box.right, box.bottom};
        DrawTextA(dc_, text.data(), int(text.size()), &r, DT_WORDBREAK | DT_VCENTER | DT_CENTER);
    }

    void Polygon(const VPoint* points, std::size_t count) override
    {
        std::vector<POINT> corners(count);
        for (std::size_t i = 0; i < count; ++i)
            corners[i] = {points[i].x, points[i].y};
        ::Polygon(dc_, corners.data(), int(count));
    }

private:
    VDib& target_;
    HDC dc_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ previousFont_ = nullptr;
};

}  // namespace

std::unique_ptr<VTextPainter> VGdiTextRenderer::Begin(VDib& target, const VTextFont& font)
{
    CheckFontHeight(font.height);
    return std::make_unique<VGdiTextPainter>(target, font);
}

void InstallGdiTextRenderer()
{
    static VGdiTextRenderer renderer;
    SetTextRenderer(&renderer);
}
