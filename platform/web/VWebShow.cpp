#include "platform/web/VWebShow.h"

#include <fstream>

#include "engine/stage/VStage.h"
#include "engine/stream/VException.h"
#include "engine/stream/VText.h"
#include "show/VDataPaths.h"
#include "show/VScene.h"
#include "show/VSceneManager.h"

namespace {

VSceneManager& Manager(VStage& stage)
{
    auto* manager = dynamic_cast<VSceneManager*>(stage.FindComponent("DezoRivaduz"));
    if (!manager)
        throw VException("The show has not started yet.");
    return *manager;
}

VScene* FindScene(VSceneManager& manager, std::string_view name)
{
    for (VScene* scene : manager.GetScenes())
        if (SameText(scene->GetName(), name))
            return scene;
    return nullptr;
}

// A plain file name: the page's file system has folders the show must not write into.
bool IsPlainName(std::string_view name)
{
    return !name.empty() && name.size() <= 255 && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

}  // namespace

namespace VWebShow {

std::string ListScenes(VStage& stage)
{
    auto* manager = dynamic_cast<VSceneManager*>(stage.FindComponent("DezoRivaduz"));
    std::string list;
    if (!manager)
        return list;
    for (VScene* scene : manager->GetScenes()) {
        list += scene->GetName() + "\t";
        if (scene == manager->GetCurrentScene())
            list += "playing";
        else if (scene == manager->GetNextScene())
            list += "next";
        list += "\n";
    }
    return list;
}

bool PlayNext(VStage& stage, const std::string& name)
{
    try {
        VSceneManager& manager = Manager(stage);
        VScene* scene = FindScene(manager, name);
        if (!scene)
            throw VParamException("There is no scene " + name + " in the show.");
        manager.SetNextScene(scene);
        return true;
    } catch (const VException& e) {
        stage.HandleException(e.GetMessage());
        return false;
    }
}

bool AddSceneFile(VStage& stage, const std::string& name, std::string_view bytes)
{
    try {
        VSceneManager& manager = Manager(stage);
        if (!IsPlainName(name) || !IsSceneFileName(name))
            throw VParamException("\"" + name + "\" is not a scene file: scene files are named *.vcs.");
        const std::string dir = ReadDataDir(stage.GetProgramDirectory());
        const std::string path = DataPath(dir, {name});
        if (FindScene(manager, name) || std::ifstream(path))
            throw VParamException("A scene file named " + name +
                                  " is already in the show; rename the file to add it again.");
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), std::streamsize(bytes.size()));
        if (!file.flush())
            throw VException("Scene file " + name + " cannot be stored.");
        file.close();
        const std::size_t before = manager.GetScenes().size();
        if (!manager.AddSceneFile(dir, name))
            return false;
        if (manager.GetScenes().size() > before)
            manager.SetNextScene(manager.GetScenes().back());
        return true;
    } catch (const VException& e) {
        stage.HandleException(e.GetMessage());
        return false;
    }
}

}  // namespace VWebShow
