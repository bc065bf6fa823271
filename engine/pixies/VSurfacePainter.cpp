#include "engine/pixies/VSurfacePainter.h"

namespace {

// Images this small are cheaper to paint whole than to cut up.
constexpr float kClipThreshold = 256.0f;

}  // namespace

void PaintSurface(VSurface& target, const VSurface& image, float x, float y,
                  const VRectList* clipRects, bool mirrorX, bool mirrorY)
{
    float w = image.GetWidth();
    float h = image.GetHeight();
    if (clipRects && w * h > kClipThreshold) {
        VRect dest(x, y, w, h);
        for (const VRect* clip : *clipRects) {
            if (!clip)
                continue;
            VRect part = dest;
            if (!part.Intersect(*clip) || part.IsEmpty())
                continue;
            VRect src = part;
            src.Offset(-x, -y);
            src.Floor();
            // The surface counts source rows from the image's bottom line; turn the top-down
            // part into that, or a clip of the top half would paint the bottom half.
            src.y = h - src.y - src.height;
            target.Draw(image, src.x, src.y, src.width, src.height, part.x, part.y, part.width,
                        part.height, false, false);
        }
        return;
    }
    target.Draw(image, 0, 0, w, h, x, y, w, h, mirrorX, mirrorY);
}
