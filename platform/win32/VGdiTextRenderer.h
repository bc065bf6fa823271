#pragma once

#include "engine/graphics/VTextRenderer.h"

// Balloon text through GDI on the device context the bitmap lends: the font made with
// CreateFontIndirectA, measured with GetTextExtentPointA and DrawTextA, drawn with DrawTextA
// and Polygon. The fresh context's pen, brush and colours give the black-on-white look.
class VGdiTextRenderer : public VTextRenderer {
public:
    std::unique_ptr<VTextPainter> Begin(VDib& target, const VTextFont& font) override;
};

// Installs one process-wide GDI renderer as the text renderer.
void InstallGdiTextRenderer();
