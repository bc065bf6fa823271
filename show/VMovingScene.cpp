#include "show/VMovingScene.h"

#include <cmath>
#include <cstdlib>

#include "engine/pixies/VPixie.h"
#include "engine/stage/VStage.h"
#include "show/VSceneParts.h"
#include "show/VShowStage.h"
#include "show/VSpaceShip.h"
#include "show/VSceneSound.h"

VMovingScene::VMovingScene(std::string name, VComponentManager* components, VComponent* parent)
    : VScene(std::move(name), components, parent)
{
    for (VComponent* component : components->GetChildren()) {
        if (auto* pixie = dynamic_cast<VPixie*>(component))
            pixie->SetVisible(false);
    }
    // Step on practically every pass of the run loop, for a smooth flight.
    SetInterval(1.0);
}

bool VMovingScene::NextPathPoint()
{
    while (!restOfPath_.empty()) {
        std::string point = SplitHead(restOfPath_, "|");
        float x = static_cast<float>(std::atof(SplitHead(point, ",").c_str()));
        float y = static_cast<float>(std::atof(SplitHead(point, ",").c_str()));
        float z = static_cast<float>(std::atof(SplitHead(point, ",").c_str()));
        Point next{x * z, y * z, z};
        // Depth 0 would divide by zero; a point that overflows would poison every later step.
        if (z == 0 || !std::isfinite(next.x) || !std::isfinite(next.y) || !std::isfinite(next.z))
            continue;
        target_ = next;
        return true;
    }
    return false;
}

void VMovingScene::PlaceShip(float x, float y, float z)
{
    // A segment between depths of opposite sign passes depth 0, which shows nowhere.
    if (z == 0)
        return;
    VStage& stage = ShowStage();
    VSpaceShip& ship = SceneShip(*this);
    ship.SetPos(x / z + StageWidth(stage) * 0.5f, y / z + StageHeight(stage) * 0.5f, z);
    ship.SetScale(100.0f / z);
}

void VMovingScene::Begin()
{
    restOfPath_ = GetTagValue(GetComponents()->GetHeader(), "Path", "");
    speed_ = static_cast<float>(std::atof(GetTagValue(GetComponents()->GetHeader(), "Speed", "").c_str()));
    // Without two points there is nowhere to fly; without a forward speed the ship would hang
    // at its first point for ever and no other scene would come.
    if (!NextPathPoint()) {
        Finish();
        return;
    }
    current_ = target_;
    if (!NextPathPoint() || !(speed_ > 0)) {
        Finish();
        return;
    }
    PlaceShip(current_.x, current_.y, current_.z);
    PlayPlayingSound(*this);
}

void VMovingScene::ShowSkyItems(VStage& stage)
{
    VScene::ShowSkyItems(stage);
    stage.SetBackgroundColor(0);
}

bool VMovingScene::Advance(float step)
{
    // A loop rather than recursion: a long step over a long path must not run out of stack.
    for (;;) {
        float dx = target_.x - current_.x;
        float dy = target_.y - current_.y;
        float dz = target_.z - current_.z;
        float distance = std::sqrt(dx * dx + dy * dy + dz * dz);
        if (distance > step) {
            float part = step / distance;
            current_ = Point{current_.x + dx * part, current_.y + dy * part, current_.z + dz * part};
            PlaceShip(current_.x, current_.y, current_.z);
            return true;
        }
        float rest = step - distance;
        current_ = target_;
        if (!NextPathPoint())
            return false;
        if (rest < 0) {
            PlaceShip(current_.x, current_.y, current_.z);
            return true;
        }
        step = rest;
    }
}

void VMovingScene::OnTick()
{
    if (!Advance(speed_))
        Finish();
}
