#include "saver/VStageSize.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace {

std::string LowerTrimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    std::string value = text.substr(first, last - first + 1);
    for (char& c : value)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return value;
}

}  // namespace

std::optional<VResolution> ParseResolution(const std::string& text)
{
    const std::string value = LowerTrimmed(text);
    const auto cross = value.find_first_of("x*");
    if (cross == std::string::npos || cross == 0 || cross + 1 >= value.size())
        return std::nullopt;
    auto side = [](const std::string& part) -> int {
        const std::string digits = LowerTrimmed(part);
        if (digits.empty() || digits.size() > 5)
            return -1;
        for (char c : digits)
            if (!std::isdigit(static_cast<unsigned char>(c)))
                return -1;
        return std::atoi(digits.c_str());
    };
    const int width = side(value.substr(0, cross));
    const int height = side(value.substr(cross + 1));
    if (width < 16 || height < 16 || width > 16384 || height > 16384)
        return std::nullopt;
    return VResolution{width, height};
}

std::optional<VResolutionSetting> ParseResolutionSetting(const std::string& text)
{
    const std::string value = LowerTrimmed(text);
    if (value.empty() || value == "auto")
        return VResolutionSetting{};
    if (value == "native")
        return VResolutionSetting{VResolutionSetting::Kind::Native, {}};
    if (auto size = ParseResolution(value))
        return VResolutionSetting{VResolutionSetting::Kind::Fixed, *size};
    return std::nullopt;
}

VResolution DesignSize(int screenWidth, int screenHeight)
{
    const int width = std::max(screenWidth, 1);
    const int height = std::max(screenHeight, 1);
    if (height < kDesignMinHeight)
        return {width, height};
    const int fewest = (height + kDesignMaxHeight - 1) / kDesignMaxHeight;
    for (int k = fewest; height / k >= kDesignMinHeight; ++k)
        if (height % k == 0)
            return {std::max(width / k, 1), height / k};
    const int designHeight =
        std::max(kDesignMinHeight, static_cast<int>(std::lround(double(height) / fewest)));
    const long designWidth = std::lround(double(width) * designHeight / height);
    return {static_cast<int>(std::max(designWidth, 1L)), designHeight};
}

VResolution ComposeSize(const VResolutionSetting& setting, int screenWidth, int screenHeight)
{
    switch (setting.kind) {
    case VResolutionSetting::Kind::Native:
        return {std::max(screenWidth, 1), std::max(screenHeight, 1)};
    case VResolutionSetting::Kind::Fixed:
        return setting.fixed;
    case VResolutionSetting::Kind::Design:
        break;
    }
    return DesignSize(screenWidth, screenHeight);
}

bool IsWholeFactor(VResolution frame, VResolution shown)
{
    if (frame.width <= 0 || frame.height <= 0 || shown.width < frame.width ||
        shown.height < frame.height)
        return false;
    return shown.width % frame.width == 0 && shown.height % frame.height == 0 &&
           shown.width / frame.width == shown.height / frame.height;
}

VIntRect FitPicture(VResolution frame, VResolution area)
{
    if (frame.width <= 0 || frame.height <= 0 || area.width <= 0 || area.height <= 0 ||
        frame == area)
        return {0, 0, frame.width, frame.height};
    const double scale = std::min(double(area.width) / frame.width, double(area.height) / frame.height);
    VIntRect fit{0, 0, std::max(1, int(frame.width * scale + 0.5)),
                 std::max(1, int(frame.height * scale + 0.5))};
    fit.x = (area.width - fit.width) / 2;
    fit.y = (area.height - fit.height) / 2;
    return fit;
}
