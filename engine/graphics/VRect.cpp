#include "engine/graphics/VRect.h"

#include <algorithm>
#include <cmath>

bool VRect::IsEmpty() const
{
    // Truncation to 0 means |extent| < 1; NaN counts as empty too.
    return !(std::fabs(width) >= 1.0f) || !(std::fabs(height) >= 1.0f);
}

bool VRect::Intersect(const VRect& other)
{
    float left = std::max(x, other.x);
    float top = std::max(y, other.y);
    float right = std::min(Right(), other.Right());
    float bottom = std::min(Bottom(), other.Bottom());
    if (!(right > left) || !(bottom > top)) {
        *this = VRect();
        return false;
    }
    *this = VRect(left, top, right - left, bottom - top);
    return true;
}

void VRect::Offset(float dx, float dy)
{
    x += dx;
    y += dy;
}

void VRect::Floor()
{
    x = std::floor(x);
    y = std::floor(y);
    width = std::floor(width);
    height = std::floor(height);
}
