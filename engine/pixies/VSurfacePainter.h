#pragma once

#include "engine/graphics/VRect.h"
#include "engine/graphics/VSurface.h"

// Paints `image` into `target` with its top-left corner at (x, y), as pictures and sprite
// frames do. With a clip list, an image of more than 256 pixels is painted only inside the
// listed rectangles (once per rectangle, unmirrored); otherwise it is painted whole.
void PaintSurface(VSurface& target, const VSurface& image, float x, float y,
                  const VRectList* clipRects, bool mirrorX, bool mirrorY);
