#include "show/VInShipScene.h"

#include "engine/pixies/VDirector.h"
#include "show/VSceneParts.h"
#include "show/VSpaceShip.h"
#include "show/VSceneSound.h"

namespace {

// Brings a director's "Inside" item onto the ship's inside layer.
constexpr float kInsideDX = -110.0f;
constexpr float kInsideDY = -159.0f;
constexpr float kInsideDZ = 40.0f;

}  // namespace

VInShipScene::VInShipScene(std::string name, VComponentManager* components, VComponent* parent)
    : VScene(std::move(name), components, parent)
{
    director_ = FindDirector(*components, "Scene");
    if (director_)
        director_->Connect("OnReachEnd", this);
}

void VInShipScene::Begin()
{
    // A director without key frames never advances and would never reach its end.
    if (!director_ || director_->GetTracks().empty() || director_->GetLastFrame() < 1) {
        Finish();
        return;
    }
    float x = 0, y = 0, z = 0;
    director_->GetStartPosition("Inside", x, y, z);
    VSpaceShip& ship = SceneShip(*this);
    ship.SetInsideHidden(true);
    director_->SetPos(ship.GetXPos() + kInsideDX - x, ship.GetYPos() + kInsideDY - y,
                      ship.GetZPos() + kInsideDZ - z);
    StartDirectorOnce(director_);
    PlayPlayingSound(*this);
}

void VInShipScene::OnEvent(const std::string& eventName, VComponent* sender, VEvent* event)
{
    // Only the running scene ends: the director may also be played while the scene is idle.
    if (sender != director_ || !SameText(eventName, "OnReachEnd") || !IsEnabled())
        return;
    SceneShip(*this).SetInsideHidden(false);
    Finish();
}
