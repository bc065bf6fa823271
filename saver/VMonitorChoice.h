#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/graphics/VRect.h"

// Which monitors the full-screen show covers: the "Monitors" setting.
enum class VMonitorChoice {
    Each,     // one show per monitor, each composed for its monitor with a seed of its own
    Span,     // one show over the box around all monitors
    Primary,  // one show on the primary monitor; the others keep what they show
};

// "each", "span" or "primary" in any letter case; empty is "each". nullopt for anything else.
std::optional<VMonitorChoice> ParseMonitorChoice(const std::string& text);

// The monitors that can have a show of their own, as indexes into `monitors` (in screen
// pixels, the primary first): a monitor overlapping one before it (a mirror) is left out.
std::vector<std::size_t> DistinctMonitors(const std::vector<VIntRect>& monitors);

// Where shows go for `choice`: every distinct monitor, the one box that holds them all, or
// the primary alone. No monitors, none.
std::vector<VIntRect> ShowAreas(VMonitorChoice choice, const std::vector<VIntRect>& monitors);
