#pragma once

#include <memory>
#include <vector>

#include "engine/graphics/VRect.h"

// The dirty parts of the frame: whole-pixel rectangles that never overlap. A new rectangle is
// merged so that the list covers exactly the union, without growing to a bounding box.
class VInvalidList {
public:
    // Marks `rect` (widened to whole pixels) dirty inside `bounds`.
    void Add(const VRect& rect, const VRect& bounds);
    // Marks a rectangle of whole pixels dirty as it is, without widening it.
    void AddPixels(const VRect& rect, const VRect& bounds);
    void Clear() { rects_.clear(); }

    std::size_t Size() const { return rects_.size(); }
    const VRect& operator[](std::size_t i) const { return *rects_[i]; }
    // The rectangles, for a partial present.
    VRectList AsRectList() const;

private:
    void Merge(VRect r, const VRect& bounds);

    std::vector<std::unique_ptr<VRect>> rects_;
};

// Splits the union of two intersecting rectangles into disjoint pieces (empty ones dropped).
std::vector<VRect> SplitUnion(const VRect& pending, const VRect& listed);
