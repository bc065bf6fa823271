#include "platform/sdl/VAboutSettings.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "engine/stream/VText.h"
#include "show/VControlSettings.h"
#include "show/VDataPaths.h"

namespace {

std::vector<std::string> ListSkins(const std::string& dataDir)
{
    std::vector<std::string> names;
    std::error_code error;
    const std::filesystem::path dir = DataPath(dataDir, {"Skins"});
    for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file(error))
            continue;
        const std::string name = it->path().filename().string();
        if (name.size() > 4 && SameText(name.substr(name.size() - 4), ".bmp"))
            names.push_back(name.substr(0, name.size() - 4));
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

VAboutSettings::VAboutSettings(std::string dataDir) : dataDir_(std::move(dataDir)) {}

const std::vector<std::string>& VAboutSettings::Resolutions()
{
    static const std::vector<std::string> sizes{"", "960x540", "1280x720", "1920x1080"};
    return sizes;
}

void VAboutSettings::Load()
{
    LoadValues();
    problem_ = ControlStoreProblem();
    skins_ = ListSkins(dataDir_);
}

void VAboutSettings::LoadValues()
{
    sound_ = AsInt(ReadControlValue("Sound", "1")) == 1;
    engine_ = ReadControlValue("Engine", "1");
    skin_ = ReadControlValue("Skin", "");
    resolution_ = ReadControlValue("Resolution", "");
}

bool VAboutSettings::Save()
{
    problem_.clear();
    const std::pair<const char*, std::string> values[] = {
        {"Sound", sound_ ? "1" : "0"}, {"Engine", engine_}, {"Skin", skin_},
        {"Resolution", resolution_}};
    for (const auto& [key, value] : values) {
        std::string problem = WriteControlValue(key, value);
        if (problem_.empty())
            problem_ = std::move(problem);
    }
    if (problem_.empty())
        return true;
    // Show what the show will really use, not a change that did not land.
    LoadValues();
    return false;
}

void VAboutSettings::NextResolution()
{
    const std::vector<std::string>& sizes = Resolutions();
    auto at = std::find_if(sizes.begin(), sizes.end(),
                           [&](const std::string& s) { return SameText(s, resolution_); });
    resolution_ = at == sizes.end() || ++at == sizes.end() ? sizes.front() : *at;
}

void VAboutSettings::NextEngine()
{
    int type = 0;
    if (engine_.size() == 1 && std::isdigit(static_cast<unsigned char>(engine_[0])))
        type = engine_[0] - '0';
    type = type >= 1 && type < kEngineTypes ? type + 1 : 1;
    engine_ = std::to_string(type);
}

void VAboutSettings::NextSkin()
{
    if (skins_.empty()) {
        skin_.clear();
        return;
    }
    if (skin_.empty()) {
        skin_ = skins_.front();
        return;
    }
    auto at = std::find_if(skins_.begin(), skins_.end(),
                           [&](const std::string& s) { return SameText(s, skin_); });
    if (at == skins_.end() || ++at == skins_.end())
        skin_.clear();
    else
        skin_ = *at;
}
