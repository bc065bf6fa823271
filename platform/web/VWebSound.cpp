#include "platform/web/VWebSound.h"

#include <fstream>
#include <sstream>

#include "engine/stage/VSoundFile.h"
#include "platform/web/VWebPage.h"

namespace {

bool ReadFile(const std::string& path, std::string& bytes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::ostringstream out;
    out << file.rdbuf();
    bytes = out.str();
    return !file.bad();
}

}  // namespace

bool VWebSound::Play(const std::string& fileName)
{
    if (handedOver_.count(fileName))
        return VWebPage::PlaySound(fileName, std::string());
    std::string wave;
    const std::string path = FindSoundFile(fileName);
    if (path.empty() || !ReadFile(path, wave))
        return false;
    handedOver_.insert(fileName);
    return VWebPage::PlaySound(fileName, wave);
}
