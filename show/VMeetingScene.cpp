#include "show/VMeetingScene.h"

#include <cmath>
#include <cstdlib>

#include "engine/pixies/VBalloon.h"
#include "engine/pixies/VDirector.h"
#include "engine/pixies/VSprite.h"
#include "engine/pixies/VTextBlock.h"
#include "engine/stage/VStage.h"
#include "show/VSceneManager.h"
#include "show/VSceneParts.h"
#include "show/VSceneTexts.h"
#include "show/VShowStage.h"
#include "show/VSpaceShip.h"
#include "show/VSceneSound.h"

namespace {

// Brings the "Playing" director's "Inside" item onto the ship's inside layer.
constexpr float kInsideDX = -110.0f;
constexpr float kInsideDY = -159.0f;
// Where the visitor enters, left of the stage.
constexpr float kEntryX = -200.0f;
constexpr float kDefaultSpeed = 10.0f;

float HeaderReal(const VComponentManager& components, const char* key, const char* fallback)
{
    return static_cast<float>(std::atof(GetTagValue(components.GetHeader(), key, fallback).c_str()));
}

}  // namespace

VMeetingScene::VMeetingScene(std::string name, VComponentManager* components, VComponent* parent)
    : VScene(std::move(name), components, parent)
{
    VStage& stage = ShowStage();
    stage_ = &stage;
    balloon_ = MakeSceneBalloon(this, stage);
    offsetX_ = HeaderReal(*components, "XPos", "0");
    offsetY_ = HeaderReal(*components, "YPos", "0");
    offsetZ_ = HeaderReal(*components, "ZPos", "100");
    speed_ = HeaderReal(*components, "Speed", "10");
    // A visitor that does not move forward would never arrive nor leave.
    if (!(speed_ > 0))
        speed_ = kDefaultSpeed;
    // Only the exact spelling mirrors.
    mirrorHero_ = GetTagValue(components->GetHeader(), "MirrorZibo", "False") == "True";
    moveIn_ = FindDirector(*components, "MoveIn");
    talking_ = FindDirector(*components, "Talking");
    notTalking_ = FindDirector(*components, "NotTalking");
    playing_ = FindDirector(*components, "Playing");
    moveOut_ = FindDirector(*components, "MoveOut");
    if (!moveOut_)
        moveOut_ = moveIn_;
    mover_ = moveIn_;
    inside_ = components->FindComponent("Inside") != nullptr;
    ziboFigure_ = dynamic_cast<VPixie*>(components->FindComponent("Zibo"));
}

VMeetingScene::~VMeetingScene()
{
    UnlistSceneBalloon(balloon_, stage_);
}

void VMeetingScene::Begin()
{
    state_ = kIdle;
    VSpaceShip& ship = SceneShip(*this);
    float px = ship.GetXPos() + offsetX_;
    float py = ship.GetYPos() + offsetY_;
    float pz = ship.GetZPos() + offsetZ_;
    float x = 0, y = 0, z = 0;
    if (playing_ && playing_->GetStartPosition("Inside", x, y, z)) {
        px = ship.GetXPos() + kInsideDX - x;
        py = ship.GetYPos() + kInsideDY - y;
        pz = ship.GetZPos();
    }
    if (moveIn_)
        moveIn_->SetZPos(pz);
    for (VDirector* director : {playing_, talking_, notTalking_, moveOut_}) {
        if (director)
            director->SetPos(px, py, pz);
    }
    if (ziboFigure_)
        ziboFigure_->SetVisible(false);
    VSceneTexts texts = ChooseSceneTexts(*GetComponents(), textIndex_);
    introText_ = texts.intro;
    exitText_ = texts.exit;
    Fly(0);
    StartDirector(moveIn_, -1);
    SetState(kFlyIn);
    VSprite* hero = SceneHero(*this);
    talkSequence_ = inside_ ? nullptr : PrepareHeroSequence(hero, "TALKSIT");
    listenSequence_ = inside_ ? nullptr : PrepareHeroSequence(hero, "LISTENSIT");
}

bool VMeetingScene::Fly(int phase)
{
    switch (phase) {
    case 0:
        if (moveIn_)
            moveIn_->SetPos(kEntryX, playing_ ? playing_->GetYPos() : moveIn_->GetYPos(),
                            moveIn_->GetZPos());
        return true;
    case 1:
        // Without a visitor or a place to meet it there is nothing to wait for; a meeting
        // place that is not a finite number is never reached.
        // A step too small to change a far position arrives too.
        if (!moveIn_ || !playing_ || !std::isfinite(playing_->GetXPos()) ||
            !(playing_->GetXPos() >= moveIn_->GetXPos() + speed_) ||
            moveIn_->GetXPos() + speed_ == moveIn_->GetXPos())
            return false;
        moveIn_->SetXY(moveIn_->GetXPos() + speed_, moveIn_->GetYPos());
        return true;
    case 2: {
        if (!moveOut_)
            return false;
        float from = moveOut_->GetXPos();
        moveOut_->SetXY(from + speed_, moveOut_->GetYPos());
        float x = moveOut_->GetXPos();
        return std::isfinite(x) && x != from && x <= StageWidth(ShowStage());
    }
    default:
        return false;
    }
}

void VMeetingScene::StartTalk(VTextBlock* text)
{
    StopDirector(talking_);
    StopDirector(notTalking_);
    // A missing text is no talk: the balloon stays idle, so the wait ends on the next tick.
    if (!text)
        return;
    float x, y;
    if (inside_ && ziboFigure_) {
        x = ziboFigure_->GetXPos() + 20;
        y = ziboFigure_->GetYPos() - 6;
    } else {
        VSpaceShip& ship = SceneShip(*this);
        x = ship.GetXPos() - 20;
        y = ship.GetYPos() - 150;
    }
    balloon_->Talk(text->GetLines(), x, y, talking_, notTalking_, talkSequence_, listenSequence_);
}

void VMeetingScene::SetManagerRunning(bool on)
{
    if (VSceneManager* manager = GetManager())
        manager->SetEnabled(on);
}

void VMeetingScene::SetState(int state)
{
    VSprite* hero = SceneHero(*this);
    switch (state_) {
    case kFlyIn:
        StopDirector(moveIn_);
        break;
    case kIntroTalk:
        StopDirector(talking_);
        StopDirector(notTalking_);
        break;
    case kPerformance:
        StopDirector(playing_);
        break;
    case kExitTalk:
        StopDirector(notTalking_);
        StopDirector(talking_);
        if (hero)
            hero->SetMirrorX(false);
        break;
    case kFlyOut:
        SceneShip(*this).SetInsideHidden(false);
        StopDirector(moveOut_);
        break;
    default:
        break;
    }
    stateStartTime_ = ShowStage().GetTime();
    state_ = state;
    switch (state) {
    case kFlyIn:
        StartDirector(moveIn_, 1);
        mover_ = moveIn_;
        break;
    case kIntroTalk:
        if (inside_)
            SceneShip(*this).SetInsideHidden(true);
        if (hero)
            hero->SetMirrorX(mirrorHero_);
        // The sky and the choice of the next scene wait while the two talk.
        SetManagerRunning(false);
        StartTalk(introText_);
        break;
    case kPerformance:
        StartDirectorOnce(playing_);
        PlayPlayingSound(*this);
        break;
    case kExitTalk:
        StartTalk(exitText_);
        break;
    case kFlyOut:
        StartDirector(moveOut_, -1);
        SetManagerRunning(true);
        break;
    default:
        break;
    }
}

void VMeetingScene::OnTick()
{
    switch (state_) {
    case kFlyIn:
        if (!Fly(1))
            SetState(kIntroTalk);
        break;
    case kIntroTalk:
        if (balloon_->IsDone())
            SetState(kPerformance);
        break;
    case kPerformance:
        if (!IsDirectorRunning(playing_))
            SetState(kExitTalk);
        break;
    case kExitTalk:
        if (balloon_->IsDone())
            SetState(kFlyOut);
        break;
    case kFlyOut:
        if (!Fly(2)) {
            SetState(kIdle);
            Finish();
        }
        break;
    default:
        break;
    }
}

void VMeetingScene::SetEnabled(bool on)
{
    if (!on) {
        // Stopped in the middle of the talk, the scene must not leave the manager frozen.
        if (state_ >= kIntroTalk && state_ <= kExitTalk)
            SetManagerRunning(true);
        StopDirector(moveIn_);
        StopDirector(talking_);
        StopDirector(notTalking_);
        StopDirector(playing_);
        StopDirector(moveOut_);
    }
    VScene::SetEnabled(on);
}
