#include "show/VSceneManager.h"

#include "engine/stage/VStage.h"
#include "show/VControlSettings.h"
#include "show/VDataPaths.h"
#include "show/VFloater.h"
#include "show/VRandom.h"
#include "show/VScene.h"
#include "show/VShowStage.h"
#include "show/VSpaceShip.h"
#include "show/VWeightedChoice.h"

namespace {

// The platform's flag for "play without waiting".
constexpr uint32_t kSoundAsync = 0x0001;

// Re-weighting pulls a weight a fifth of the way back to the scene's base frequency.
constexpr double kKeep = 0.8;
constexpr double kRegain = 0.2;
constexpr float kJustShown = 5.0f;
constexpr float kPreferred = 200.0f;

}  // namespace

VSceneManager::VSceneManager(VSpaceShip* ship, VPixie* hero, VComponent* parent)
    : VTimer("DezoRivaduz", parent, kInterval, true), ship_(ship), hero_(hero)
{
}

VSceneManager::~VSceneManager() = default;

void VSceneManager::OwnedComponentGone(VComponent* component)
{
    std::erase(scenes_, component);
    std::erase(floatLibraries_, component);
    if (currentScene_ == component)
        currentScene_ = nullptr;
}

void VSceneManager::AddScene(VScene* scene)
{
    scenes_.push_back(scene);
}

void VSceneManager::OnTick()
{
    OnTimer();
}

void VSceneManager::OnTimer()
{
    if (!currentScene_ && !(ship_ && ship_->IsBusy()))
        StartNextScene();
    if (floatersActive_)
        MoveFloaters();
}

void VSceneManager::StartNextScene()
{
    if (scenes_.empty()) {
        SceneEnded(nullptr);
        return;
    }
    VScene* chosen = scenes_.front();
    if (nextScene_) {
        chosen = nextScene_;
        nextScene_ = nullptr;
    } else if (scenes_.size() > 1) {
        std::vector<float> weights;
        for (VScene* scene : scenes_)
            weights.push_back(scene->GetSceneWeight());
        chosen = scenes_[WalkWeights(weights, RandomInt(TruncatedTotal(weights)))];
    }
    if (scenes_.size() > 1) {
        for (VScene* scene : scenes_) {
            scene->SetSceneWeight(static_cast<float>(kKeep * scene->GetSceneWeight() +
                                                     kRegain * scene->GetBaseFrequency()));
        }
        chosen->SetSceneWeight(kJustShown);
        const std::string& preferred = chosen->GetPreferredNextScene();
        if (!preferred.empty()) {
            for (VScene* scene : scenes_) {
                if (SameText(scene->GetName(), preferred))
                    scene->SetSceneWeight(kPreferred);
            }
        }
    }
    currentScene_ = chosen;
    WriteControlValue(chosen->GetName(), "1");
    chosen->Start(this);
}

void VSceneManager::SceneEnded(VScene* scene)
{
    // A scene that ended inside its Begin has not taken the sky away: nothing to clear, and
    // no fade through black for a picture that never changed.
    if (scene && !scene->KeepsSky() && !scene->IsBeginning()) {
        VStage& stage = ShowStage();
        // The sky and planet that the scene painted into the background go with it.
        stage.SetBackgroundColor(0);
        SetFloatersActive(true);
        CentreShip();
        RequestFullRedraw(stage);
    }
    currentScene_ = nullptr;
}

void VSceneManager::CentreShip()
{
    if (!ship_)
        return;
    VRect stage = StageRect(ShowStage());
    ship_->SetPos(stage.width * 0.5f, (ship_->GetShipHeight() + stage.height) * 0.5f, 1.0f);
    ship_->SetVisible(true);
    ship_->SetFlameAmount(0.0f);
    ship_->SetGearExtension(0.0f);
    ship_->SetScale(1.0f);
}

void VSceneManager::SetFloatersActive(bool on)
{
    if (floatersActive_ == on)
        return;
    floatersActive_ = on;
    for (VFloater* floater : activeFloaters_)
        floater->SetVisible(on);
    if (on)
        CentreShip();
}

void VSceneManager::StartShow()
{
    ScatterFloaters();
    SetFloatersActive(true);
    SetEnabled(true);
    ShowStage().SetBackgroundColor(0);
    SceneEnded(nullptr);
    CentreShip();
}

void VSceneManager::MaybePlayHeroSound()
{
    if (RandomInt(1000) > 2)
        return;
    VStage& stage = ShowStage();
    std::string name = "zibo" + std::to_string(RandomInt(9) + 1);
    stage.PlaySound(DataPath(ReadDataDir(stage.GetProgramDirectory()), {"Sounds", name}),
                    kSoundAsync);
}
