#include "platform/win32/VAboutValues.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "engine/stream/VText.h"
#include "show/VControlSettings.h"
#include "show/VDataPaths.h"

namespace fs = std::filesystem;

const char* VAboutValues::EngineName(int type)
{
    switch (type) {
    case 1: return "Rocket flame";
    case 2: return "Plasma jet";
    case 3: return "Green puffs";
    default: return "";
    }
}

VAboutValues VAboutValues::Load(const std::string& dataDir)
{
    VAboutValues values;
    values.sound = AsInt(ReadControlValue("Sound", "1")) == 1;
    std::string engine = ReadControlValue("Engine", "1");
    bool known = engine.size() == 1 && engine[0] >= '1' && engine[0] < '1' + kEngineTypes;
    values.engine = known ? engine : "1";
    values.skin = ReadControlValue("Skin", "");
    values.dir = dataDir;
    values.loadedDir = dataDir;
    return values;
}

void VAboutValues::Save() const
{
    WriteControlValue("Sound", sound ? "1" : "0");
    WriteControlValue("Engine", engine);
    WriteControlValue("Skin", skin);
    if (dir != loadedDir)
        WriteControlValue("Dir", dir);
}

std::vector<std::string> VAboutValues::ListSkins(const std::string& dir)
{
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(fs::path(DataPath(dir, {"Skins"})), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code kindError;
        if (!it->is_regular_file(kindError))
            continue;
        fs::path name = it->path().filename();
        if (SameText(name.extension().string(), ".bmp"))
            names.push_back(name.stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}
