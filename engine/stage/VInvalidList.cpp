#include "engine/stage/VInvalidList.h"

#include <algorithm>
#include <cmath>

#include "engine/stream/VException.h"

namespace {

VRect FromEdges(float left, float top, float right, float bottom)
{
    return VRect(left, top, right - left, bottom - top);
}

bool Overlap(const VRect& a, const VRect& b)
{
    VRect i = a;
    return i.Intersect(b) && !i.IsEmpty();
}

}  // namespace

std::vector<VRect> SplitUnion(const VRect& pending, const VRect& listed)
{
    VRect e = pending;
    VRect f = listed;
    if (e.x > f.x)
        std::swap(e, f);
    int kind = (e.y > f.y ? 1 : 0) + (e.Right() > f.Right() ? 2 : 0) +
               (e.Bottom() > f.Bottom() ? 4 : 0);
    std::vector<VRect> pieces;
    switch (kind) {
    case 0:
        pieces = {FromEdges(e.x, e.y, e.Right(), f.y), FromEdges(e.x, f.y, f.Right(), e.Bottom()),
                  FromEdges(f.x, e.Bottom(), f.Right(), f.Bottom())};
        break;
    case 1:
        pieces = {FromEdges(e.x, e.y, f.x, e.Bottom()), f};
        break;
    case 2:
        pieces = {e, FromEdges(f.x, e.Bottom(), f.Right(), f.Bottom())};
        break;
    case 3:
        pieces = {FromEdges(f.x, f.y, f.Right(), e.y), e,
                  FromEdges(f.x, e.Bottom(), f.Right(), f.Bottom())};
        break;
    case 4:
        pieces = {e, FromEdges(e.Right(), f.y, f.Right(), f.Bottom())};
        break;
    case 5:
        pieces = {FromEdges(f.x, f.y, f.Right(), e.y), FromEdges(e.x, e.y, f.Right(), f.Bottom()),
                  FromEdges(e.x, f.Bottom(), e.Right(), e.Bottom())};
        break;
    case 6:
        pieces = {e};
        break;
    case 7:
        pieces = {FromEdges(f.x, f.y, f.Right(), e.y), e};
        break;
    default:
        throw VException("Internal error in VStage::InvalidRect");
    }
    pieces.erase(std::remove_if(pieces.begin(), pieces.end(),
                                [](const VRect& r) { return !(r.width > 0 && r.height > 0); }),
                 pieces.end());
    return pieces;
}

void VInvalidList::Add(const VRect& rect, const VRect& bounds)
{
    if (rect.IsEmpty())
        return;
    VRect r = rect;
    r.Floor();
    r.width += 1;
    r.height += 1;
    Merge(r, bounds);
}

void VInvalidList::AddPixels(const VRect& rect, const VRect& bounds)
{
    if (!rect.IsEmpty())
        Merge(rect, bounds);
}

void VInvalidList::Merge(VRect r, const VRect& bounds)
{
    if (!r.Intersect(bounds) || r.IsEmpty())
        return;

    std::vector<VRect> pending{r};
    // Every split replaces two overlapping whole-pixel rectangles by disjoint ones covering the
    // same pixels, so the summed area falls by at least one pixel each time: this ends.
    for (;;) {
        bool split = false;
        for (std::size_t p = 0; p < pending.size() && !split; ++p) {
            for (std::size_t q = 0; q < rects_.size(); ++q) {
                if (!Overlap(pending[p], *rects_[q]))
                    continue;
                std::vector<VRect> pieces = SplitUnion(pending[p], *rects_[q]);
                pending.erase(pending.begin() + static_cast<std::ptrdiff_t>(p));
                rects_.erase(rects_.begin() + static_cast<std::ptrdiff_t>(q));
                pending.insert(pending.end(), pieces.begin(), pieces.end());
                split = true;
                break;
            }
        }
        // Pieces of one split never overlap, but pieces that took in a listed rectangle can
        // overlap pieces of an earlier split; merge those too so the list stays disjoint.
        for (std::size_t a = 0; a < pending.size() && !split; ++a) {
            for (std::size_t b = a + 1; b < pending.size(); ++b) {
                if (!Overlap(pending[a], pending[b]))
                    continue;
                std::vector<VRect> pieces = SplitUnion(pending[a], pending[b]);
                pending.erase(pending.begin() + static_cast<std::ptrdiff_t>(b));
                pending.erase(pending.begin() + static_cast<std::ptrdiff_t>(a));
                pending.insert(pending.end(), pieces.begin(), pieces.end());
                split = true;
                break;
            }
        }
        if (!split)
            break;
    }
    std::vector<std::unique_ptr<VRect>> front;
    front.reserve(pending.size() + rects_.size());
    for (const VRect& piece : pending)
        front.push_back(std::make_unique<VRect>(piece));
    for (auto& listed : rects_)
        front.push_back(std::move(listed));
    rects_.swap(front);
}

VRectList VInvalidList::AsRectList() const
{
    VRectList list;
    list.reserve(rects_.size());
    for (const auto& r : rects_)
        list.push_back(r.get());
    return list;
}
