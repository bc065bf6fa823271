#include "engine/graphics/VTextRenderer.h"

#include "engine/stream/VException.h"

namespace {

VTextRenderer* installed = nullptr;

}  // namespace

VTextRenderer& GetTextRenderer()
{
    if (!installed)
        throw VException("No text renderer installed");
    return *installed;
}

bool HasTextRenderer()
{
    return installed != nullptr;
}

void SetTextRenderer(VTextRenderer* renderer)
{
    installed = renderer;
}

void CheckFontHeight(int32_t height)
{
    if (height < kMinFontHeight || height > kMaxFontHeight)
        throw VParamException("Font height " + std::to_string(height) + " out of range");
}
