#include "show/VScene.h"

#include "engine/pixies/VPixie.h"
#include "engine/pixies/VSprite.h"
#include "engine/stage/VStage.h"
#include "show/VSceneManager.h"
#include "show/VShowStage.h"
#include "show/VSpaceShip.h"

namespace {

// Sky items are laid out for a stage of this size.
constexpr float kDesignWidth = 800.0f;
constexpr float kDesignHeight = 600.0f;

}  // namespace

VScene::VScene(std::string name, VComponentManager* components, VComponent* parent)
    : VTimer(std::move(name), parent, 25.0, false), components_(components)
{
    VRect stage = StageRect(ShowStage());
    for (VComponent* component : components_->GetChildren()) {
        if (!IsSkyItem(*component))
            continue;
        auto* pixie = static_cast<VPixie*>(component);
        pixie->SetXY(pixie->GetXPos() * stage.width / kDesignWidth,
                     pixie->GetYPos() * stage.height / kDesignHeight);
    }
}

VScene::~VScene() = default;

bool VScene::IsSkyItem(const VComponent& component)
{
    return dynamic_cast<const VPixie*>(&component) &&
           IsTrue(GetTagValue(component.GetTags(), "SkyItem", "False"));
}

void VScene::Start(VSceneManager* manager)
{
    VStage& stage = ShowStage();
    components_->AddComponentsTo(stage);
    manager_ = manager;
    running_ = true;
    SetEnabled(true);
    beginning_ = true;
    try {
        Begin();
    } catch (...) {
        beginning_ = false;
        throw;
    }
    beginning_ = false;
    // A scene may be over within Begin; it must not take the sky away after it has ended.
    if (!running_ || KeepsSky())
        return;
    manager_->SetFloatersActive(false);
    ShowSkyItems(stage);
    RequestFullRedraw(stage);
}

void VScene::Finish()
{
    // Only a running scene ends, once: a second Finish would end the scene that came next.
    if (!running_)
        return;
    running_ = false;
    SetEnabled(false);
    for (VComponent* component : components_->GetChildren()) {
        if (auto* pixie = dynamic_cast<VPixie*>(component))
            pixie->SetVisible(false);
        if (auto* sprite = dynamic_cast<VSprite*>(component); sprite && sprite->GetRunningSequence())
            sprite->Stop();
    }
    auto* mail = dynamic_cast<VSprite*>(components_->FindComponent("VMAIL"));
    VSpaceShip* ship = manager_ ? manager_->GetShip() : nullptr;
    if (mail && ship) {
        ship->DeliverMail(mail);
        ship->SetMailShown(true);
    }
    components_->RemoveComponentsFrom(ShowStage());
    if (manager_)
        manager_->SceneEnded(this);
}

void VScene::ShowSkyItems(VStage& stage)
{
    for (VComponent* component : components_->GetChildren()) {
        if (IsSkyItem(*component))
            static_cast<VPixie*>(component)->SetVisible(true);
    }
}
