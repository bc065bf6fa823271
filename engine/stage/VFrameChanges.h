#pragma once

#include <cstdint>
#include <vector>

#include "engine/graphics/VDib.h"
#include "engine/stage/VInvalidList.h"

// Finds what changed in a composed frame since the previous one, by comparing the pixels with
// a copy of the previous frame in tiles. Pixies report nothing of what they paint (a new
// sprite frame, a balloon's text, the ship's flame), so only the pixels themselves can say,
// and comparing a design-size frame costs far less than converting and showing it.
class VFrameChanges {
public:
    static constexpr int kTileWidth = 32;
    static constexpr int kTileHeight = 8;

    // Marks the tiles of `frame` that differ from the previous frame dirty in `dirty`, in
    // rectangles of whole tiles (cut at the frame's edges); the whole frame when its size or
    // colour table changed or there is no previous frame. Then keeps `frame` as the previous.
    void Collect(const VDib& frame, VInvalidList& dirty);
    // The next frame counts as all new.
    void Forget() { previous_.clear(); }

private:
    std::vector<uint8_t> previous_;
    VPaletteEntry colours_[kPaletteSize] = {};
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> changed_;
    // Rectangles of the band above, to be extended by equal runs of this band.
    std::vector<VRect> open_;
    std::vector<VRect> next_;
};
