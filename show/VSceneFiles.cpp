#include <cstdlib>
#include <fstream>
#include <memory>

#include "engine/stage/VStage.h"
#include "engine/stream/VException.h"
#include "show/VControlSettings.h"
#include "show/VDataPaths.h"
#include "show/VScene.h"
#include "show/VSceneKinds.h"
#include "show/VSceneManager.h"
#include "show/VShowStage.h"

namespace {

// Keeps a file's components on the stage only while the file is being processed.
class StageVisit {
public:
    StageVisit(VComponentManager& components, VStage& stage) : components_(components), stage_(stage)
    {
        components_.AddComponentsTo(stage_);
    }
    ~StageVisit() { components_.RemoveComponentsFrom(stage_); }

private:
    VComponentManager& components_;
    VStage& stage_;
};

}  // namespace

void VSceneManager::LoadSceneFiles(const std::string& directory)
{
    for (const std::string& fileName : ListSceneFiles(directory))
        AddSceneFile(directory, fileName);
}

bool VSceneManager::AddSceneFile(const std::string& directory, const std::string& fileName)
{
    // One bad file must not cost the show all the others: it is reported and skipped.
    try {
        LoadSceneFile(DataPath(directory, {fileName}), fileName);
        return true;
    } catch (const VException& e) {
        ShowStage().HandleException(e.GetMessage());
    } catch (const std::exception& e) {
        // A hostile file may make the reader give up outside the engine's own failures.
        ShowStage().HandleException("Scene file " + fileName + " cannot be read: " + e.what());
    }
    return false;
}

void VSceneManager::LoadSceneFile(const std::string& path, const std::string& fileName)
{
    VStage& stage = ShowStage();
    // Owned by the manager once kept; freed here when the file is refused.
    auto components = std::make_unique<VComponentManager>(fileName, this);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw VStreamException("Scene file " + fileName + " cannot be opened.");
    try {
        components->AddComponentStream(&in);
    } catch (const VException& e) {
        // The reader's message says what is wrong, not where; the report names the file.
        throw VStreamException("Scene file " + fileName + " cannot be read: " + e.GetMessage());
    }

    StageVisit visit(*components, stage);
    std::string type = GetTagValue(components->GetHeader(), "Type", "");
    if (IsFloatLibraryType(type)) {
        AddFloatersFrom(*components);
        floatLibraries_.push_back(components.release());
        return;
    }
    VScene* scene = CreateScene(type, fileName, components.get(), this);
    if (!scene)
        throw VParamException("Zeg tegen Jex dat hij geen type in " + fileName + " heeft ingevuld");
    components.release();
    const VTagList& header = scene->GetComponents()->GetHeader();
    scene->SetPreferredNextScene(GetTagValue(header, "PreferredNextScene", ""));
    float frequency = static_cast<float>(std::atof(GetTagValue(header, "Frequency", "30").c_str()));
    if (std::atoi(ReadControlValue(scene->GetName(), "0").c_str()) != 1)
        frequency *= 2.0f;
    scene->SetBaseFrequency(frequency);
    scene->SetSceneWeight(frequency);
    AddScene(scene);
}
