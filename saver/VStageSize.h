#pragma once

#include <optional>
#include <string>

#include "engine/graphics/VRect.h"

// A size in pixels: of a screen, or of the stage the show is composed at.
struct VResolution {
    int width = 0;
    int height = 0;

    bool operator==(const VResolution&) const = default;
};

// "1280x720" (also "1280X720" or "1280*720"); nullopt for an empty, "native" or malformed
// value, or sides outside 16 .. 16384.
std::optional<VResolution> ParseResolution(const std::string& text);

// The "Resolution" setting: the size the full-screen show is composed at before it is scaled
// to the screen.
struct VResolutionSetting {
    enum class Kind {
        Design,  // derived from the screen so that the show looks alike on every screen
        Native,  // the screen's own size
        Fixed,   // a given size
    };
    Kind kind = Kind::Design;
    VResolution fixed;
};

// Empty or "auto": the design size; "native"; or a size as ParseResolution reads it.
// nullopt for anything else.
std::optional<VResolutionSetting> ParseResolutionSetting(const std::string& text);

// The show was drawn for a stage 600 pixels high. On a screen it is composed between these
// heights, so that the ship keeps about its share of the screen and the processor composes
// and converts a screenful of design pixels, not of screen pixels.
constexpr int kDesignMinHeight = 540;
constexpr int kDesignMaxHeight = 800;

// The stage size for a screen: the screen's height divided by the smallest whole number that
// brings it between 540 and 800 (768 -> 768, 1080 -> 540, 1440 -> 720, 2160 -> 720), the width
// divided alike, so the picture is scaled by a whole factor. Where no whole factor gives such
// a height (900, 1050), the height is the screen's divided by the fewest steps that bring it
// to 800 or below, at least 540, and the width follows the aspect. Screens lower than 540 keep
// their own size.
VResolution DesignSize(int screenWidth, int screenHeight);

// The size to compose at for a screen under `setting`.
VResolution ComposeSize(const VResolutionSetting& setting, int screenWidth, int screenHeight);

// True when a frame of `frame` shown at `shown` is scaled by one whole factor on both axes
// (1 included): nearest-neighbour keeps such art crisp; any other factor needs a filter.
bool IsWholeFactor(VResolution frame, VResolution shown);

// Where a frame of `frame` goes in an area of `area`: as large as fits with the frame's
// proportions, centred; the frame's own size and place when it fills the area exactly.
VIntRect FitPicture(VResolution frame, VResolution area);
