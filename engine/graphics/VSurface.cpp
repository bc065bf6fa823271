#include "engine/graphics/VSurface.h"

void VSurface::DrawTo(float x, float y, VSurface& destination) const
{
    destination.Draw(*this, 0, 0, GetWidth(), GetHeight(), x, y, GetWidth(), GetHeight(), false,
                     false);
}
