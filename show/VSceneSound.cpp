#include "show/VSceneSound.h"

#include <cstdint>
#include <string>

#include "engine/stage/VStage.h"
#include "engine/stream/VText.h"
#include "show/VDataPaths.h"
#include "show/VScene.h"
#include "show/VShowStage.h"

namespace {

constexpr uint32_t kSoundAsync = 0x0001;

}  // namespace

void PlayPlayingSound(const VScene& scene)
{
    std::string name = GetTagValue(scene.GetComponents()->GetHeader(), "PlayingSound", "");
    // A name is one file of the Sounds folder, never a path that leads out of it.
    if (name.empty() || name.find_first_of("/\\:") != std::string::npos || name == "." || name == "..")
        return;
    VStage& stage = ShowStage();
    stage.PlaySound(DataPath(ReadDataDir(stage.GetProgramDirectory()), {"Sounds", name}), kSoundAsync);
}
