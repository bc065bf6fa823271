#include "engine/stage/VPresentPlan.h"

#include <algorithm>
#include <cmath>

namespace {

// The shown pixels [*first, *last) that frame pixels [from, to) of `size` decide at `shown`.
void MapSpan(int from, int to, int size, int shown, int margin, int& first, int& last)
{
    from = std::max(0, from - margin);
    to = std::min(size, to + margin);
    if (shown % size == 0 && margin == 0) {
        const int k = shown / size;
        first = from * k;
        last = to * k;
        return;
    }
    first = int(std::floor(double(from) * shown / size));
    last = std::min(shown, int(std::ceil(double(to) * shown / size)));
}

}  // namespace

VPresentPlan VPresentPlan::Make(const VRectList* changed, int width, int height, int shownWidth,
                                int shownHeight, bool filtered)
{
    VPresentPlan plan;
    if (width <= 0 || height <= 0 || shownWidth <= 0 || shownHeight <= 0)
        return plan;
    if (!changed) {
        plan.kind = Kind::Whole;
        return plan;
    }
    const VRect frame(0, 0, float(width), float(height));
    const int margin = filtered ? 1 : 0;
    double area = 0;
    for (const VRect* rect : *changed) {
        if (!rect)
            continue;
        VRect r = *rect;
        r.Floor();
        if (!r.Intersect(frame) || r.IsEmpty())
            continue;
        Part part;
        part.source = VIntRect{int32_t(r.x), int32_t(r.y), int32_t(r.width), int32_t(r.height)};
        int left = 0, right = 0, top = 0, bottom = 0;
        MapSpan(part.source.x, part.source.x + part.source.width, width, shownWidth, margin, left,
                right);
        MapSpan(part.source.y, part.source.y + part.source.height, height, shownHeight, margin,
                top, bottom);
        if (right <= left || bottom <= top)
            continue;
        part.shown = VIntRect{left, top, right - left, bottom - top};
        area += double(part.source.width) * part.source.height;
        plan.parts.push_back(part);
    }
    if (plan.parts.empty())
        return plan;
    if (area > kWholeShare * width * height || plan.parts.size() > kMaxParts) {
        plan.parts.clear();
        plan.kind = Kind::Whole;
        return plan;
    }
    plan.kind = Kind::Parts;
    return plan;
}
