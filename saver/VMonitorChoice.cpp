#include "saver/VMonitorChoice.h"

#include <algorithm>
#include <cctype>

std::optional<VMonitorChoice> ParseMonitorChoice(const std::string& text)
{
    std::string value;
    for (char c : text)
        if (c != ' ' && c != '\t')
            value += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (value.empty() || value == "each")
        return VMonitorChoice::Each;
    if (value == "span")
        return VMonitorChoice::Span;
    if (value == "primary")
        return VMonitorChoice::Primary;
    return std::nullopt;
}

std::vector<std::size_t> DistinctMonitors(const std::vector<VIntRect>& monitors)
{
    auto overlap = [](const VIntRect& a, const VIntRect& b) {
        return int64_t(a.x) < int64_t(b.x) + b.width && int64_t(b.x) < int64_t(a.x) + a.width &&
               int64_t(a.y) < int64_t(b.y) + b.height && int64_t(b.y) < int64_t(a.y) + a.height;
    };
    std::vector<std::size_t> distinct;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const VIntRect& m = monitors[i];
        if (m.width <= 0 || m.height <= 0)
            continue;
        if (std::none_of(distinct.begin(), distinct.end(),
                         [&](std::size_t j) { return overlap(monitors[j], m); }))
            distinct.push_back(i);
    }
    return distinct;
}

std::vector<VIntRect> ShowAreas(VMonitorChoice choice, const std::vector<VIntRect>& monitors)
{
    if (monitors.empty())
        return {};
    switch (choice) {
    case VMonitorChoice::Each: {
        std::vector<VIntRect> areas;
        for (std::size_t i : DistinctMonitors(monitors))
            areas.push_back(monitors[i]);
        return areas;
    }
    case VMonitorChoice::Primary:
        return {monitors.front()};
    case VMonitorChoice::Span:
        break;
    }
    int64_t left = monitors.front().x, top = monitors.front().y;
    int64_t right = left + monitors.front().width, bottom = top + monitors.front().height;
    for (const VIntRect& m : monitors) {
        left = std::min<int64_t>(left, m.x);
        top = std::min<int64_t>(top, m.y);
        right = std::max<int64_t>(right, int64_t(m.x) + m.width);
        bottom = std::max<int64_t>(bottom, int64_t(m.y) + m.height);
    }
    return {VIntRect{int32_t(left), int32_t(top), int32_t(right - left), int32_t(bottom - top)}};
}
