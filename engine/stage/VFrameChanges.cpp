#include "engine/stage/VFrameChanges.h"

#include <algorithm>
#include <cstring>

namespace {

bool CoversWhole(const VInvalidList& dirty, const VRect& whole)
{
    for (std::size_t i = 0; i < dirty.Size(); ++i)
        if (dirty[i] == whole)
            return true;
    return false;
}

}  // namespace

void VFrameChanges::Collect(const VDib& frame, VInvalidList& dirty)
{
    const int width = frame.GetWidth();
    const int height = frame.GetHeight();
    const uint8_t* bits = frame.GetBits();
    if (!bits || width <= 0 || height <= 0)
        return;
    const int stride = DibStride(width);
    const std::size_t size = std::size_t(stride) * std::size_t(height);
    const VRect whole(0, 0, float(width), float(height));
    const VPaletteEntry* colours = frame.GetPaletteEntries();
    const bool sameColours = std::memcmp(colours_, colours, sizeof(colours_)) == 0;
    if (width != width_ || height != height_ || previous_.size() != size || !sameColours ||
        CoversWhole(dirty, whole)) {
        previous_.assign(bits, bits + size);
        std::memcpy(colours_, colours, sizeof(colours_));
        width_ = width;
        height_ = height;
        dirty.AddPixels(whole, whole);
        return;
    }

    const int across = (width + kTileWidth - 1) / kTileWidth;
    changed_.assign(std::size_t(across), 0);
    open_.clear();
    for (int top = 0; top < height; top += kTileHeight) {
        const int bottom = std::min(height, top + kTileHeight);
        std::fill(changed_.begin(), changed_.end(), 0);
        bool any = false;
        for (int y = top; y < bottom; ++y) {
            // Rows are stored bottom-up.
            const std::size_t offset = std::size_t(height - 1 - y) * std::size_t(stride);
            const uint8_t* now = bits + offset;
            uint8_t* was = previous_.data() + offset;
            if (std::memcmp(now, was, std::size_t(width)) == 0)
                continue;
            for (int t = 0; t < across; ++t) {
                if (changed_[std::size_t(t)])
                    continue;
                const int left = t * kTileWidth;
                const int n = std::min(kTileWidth, width - left);
                if (std::memcmp(now + left, was + left, std::size_t(n)) != 0) {
                    changed_[std::size_t(t)] = 1;
                    any = true;
                }
            }
            std::memcpy(was, now, std::size_t(width));
        }
        // Runs of changed tiles become rectangles; a run under an equal one of the band above
        // extends it, so a tall change stays one rectangle.
        next_.clear();
        for (int t = 0; any && t < across;) {
            if (!changed_[std::size_t(t)]) {
                ++t;
                continue;
            }
            int end = t;
            while (end < across && changed_[std::size_t(end)])
                ++end;
            const float left = float(t * kTileWidth);
            const float right = float(std::min(width, end * kTileWidth));
            auto above = std::find_if(open_.begin(), open_.end(), [&](const VRect& r) {
                return r.x == left && r.Right() == right;
            });
            if (above != open_.end()) {
                VRect grown = *above;
                grown.height = float(bottom) - grown.y;
                next_.push_back(grown);
                open_.erase(above);
            } else {
                next_.push_back(VRect(left, float(top), right - left, float(bottom - top)));
            }
            t = end;
        }
        for (const VRect& done : open_)
            dirty.AddPixels(done, whole);
        open_.swap(next_);
    }
    for (const VRect& done : open_)
        dirty.AddPixels(done, whole);
}
