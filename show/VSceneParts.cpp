#include "show/VSceneParts.h"

#include <algorithm>

#include "engine/pixies/VBalloon.h"
#include "engine/pixies/VDirector.h"
#include "engine/pixies/VSprite.h"
#include "engine/stage/VStage.h"
#include "engine/stream/VComponentManager.h"
#include "engine/stream/VException.h"
#include "show/VScene.h"
#include "show/VSceneManager.h"
#include "show/VShowStage.h"
#include "show/VSpaceShip.h"

VDirector* FindDirector(const VComponentManager& components, const std::string& name)
{
    return dynamic_cast<VDirector*>(components.FindComponent(name));
}

void StartDirectorOnce(VDirector* director)
{
    if (!director)
        return;
    director->SetLoop(false);
    director->SetPlaying(true, 1);
}

void StartDirector(VDirector* director, int32_t frame)
{
    if (director)
        director->SetPlaying(true, frame);
}

void StopDirector(VDirector* director, int32_t frame)
{
    if (director)
        director->SetPlaying(false, frame);
}

bool IsDirectorRunning(const VDirector* director)
{
    return director && director->IsPlaying() && director->CanAdvance();
}

VPixieSequencer* PrepareHeroSequence(VSprite* hero, const std::string& name)
{
    if (!hero || !hero->FindSequence(name))
        return nullptr;
    hero->Run(name, -1, VSprite::kUnchanged, VSprite::kUnchanged, VSprite::kUnchanged);
    VPixieSequencer* sequence = hero->GetRunningSequence();
    hero->Stop();
    return sequence;
}

bool RunHeroOnce(VSprite* hero, const std::string& name)
{
    if (!hero || !hero->FindSequence(name))
        return false;
    hero->Run(name, 1, VSprite::kUnchanged, VSprite::kUnchanged, VSprite::kUnchanged);
    return true;
}

bool IsHeroBusy(const VSprite* hero)
{
    return hero && hero->IsSequencePlaying();
}

VSpaceShip& SceneShip(const VScene& scene)
{
    VSceneManager* manager = scene.GetManager();
    Assert(manager && manager->GetShip(), "Scene " + scene.GetName() + " runs without a ship.");
    return *manager->GetShip();
}

VSprite* SceneHero(const VScene& scene)
{
    VSceneManager* manager = scene.GetManager();
    return manager ? dynamic_cast<VSprite*>(manager->GetHero()) : nullptr;
}

float StageWidth(VStage& stage)
{
    return StageRect(stage).width;
}

float StageHeight(VStage& stage)
{
    return StageRect(stage).height;
}

VBalloon* MakeSceneBalloon(VComponent* owner, VStage& stage)
{
    auto* balloon = new VBalloon("Balloon", owner);
    stage.GetChildren().push_back(balloon);
    return balloon;
}

void UnlistSceneBalloon(VBalloon* balloon, VStage* stage)
{
    if (!balloon || !stage || CurrentStage() != stage)
        return;
    auto& children = stage->GetChildren();
    children.erase(std::remove(children.begin(), children.end(), balloon), children.end());
}
