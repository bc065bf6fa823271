#pragma once

#include <vector>

#include "engine/graphics/VRect.h"

// What a backend shows of a frame of width x height pixels that it scales to shownWidth x
// shownHeight: nothing when nothing changed, some parts, or the whole frame, when the changes
// cover most of it (one pass over the frame then costs less than many small ones) or come in
// too many pieces.
struct VPresentPlan {
    enum class Kind { Nothing, Parts, Whole };

    // A changed part: where it lies in the frame and the pixels of the shown picture it
    // decides (0, 0 is the picture's corner, not the window's).
    struct Part {
        VIntRect source;
        VIntRect shown;
    };

    // Changes above this share of the frame's area are shown as a whole frame.
    static constexpr double kWholeShare = 0.5;
    static constexpr std::size_t kMaxParts = 256;

    // `changed`: the frame's changed rectangles, disjoint; null means all of it. `filtered`: the
    // scaling blends neighbouring pixels, so a changed pixel also changes the shown pixels
    // around it. With a whole factor (shown = k x frame on both axes) and no filter each frame
    // pixel decides exactly a k x k block.
    static VPresentPlan Make(const VRectList* changed, int width, int height, int shownWidth,
                             int shownHeight, bool filtered);

    Kind kind = Kind::Nothing;
    std::vector<Part> parts;
};
