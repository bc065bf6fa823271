#include "show/VPlanetScene.h"

#include <algorithm>
#include <cmath>

#include "engine/pixies/VBalloon.h"
#include "engine/pixies/VDirector.h"
#include "engine/pixies/VPicture.h"
#include "engine/pixies/VSprite.h"
#include "engine/pixies/VTextBlock.h"
#include "engine/stage/VStage.h"
#include "engine/stream/VComponentRef.h"
#include "show/VControlSettings.h"
#include "show/VDataPaths.h"
#include "show/VSceneParts.h"
#include "show/VSceneTexts.h"
#include "show/VShowStage.h"
#include "show/VSpaceShip.h"
#include "show/VSceneSound.h"

namespace {

constexpr uint32_t kSoundAsync = 0x0001;

// Brings a director's "Ship-Inside" item onto the ship's inside layer.
constexpr float kInsideDX = -110.0f;
constexpr float kInsideDY = -159.0f;
constexpr float kInsideDZ = 40.0f;

VPicture* FindPicture(const VComponentManager& components, const std::string& name)
{
    return dynamic_cast<VPicture*>(components.FindComponent(name));
}

}  // namespace

VPlanetScene::VPlanetScene(std::string name, VComponentManager* components, VComponent* parent)
    : VScene(std::move(name), components, parent)
{
    VStage& stage = ShowStage();
    stage_ = &stage;
    balloon_ = MakeSceneBalloon(this, stage);
    hideHero_ = IsTrue(GetTagValue(components->GetHeader(), "HideZibo", "False"));
    sky_ = FindPicture(*components, "Sky");
    planet_ = FindPicture(*components, "Planet");
    before_ = FindDirector(*components, "Before");
    after_ = FindDirector(*components, "After");
    talking_ = FindDirector(*components, "Talking");
    notTalking_ = FindDirector(*components, "NotTalking");
    playing_ = FindDirector(*components, "Playing");
    // The hero's climbing animations belong to the main stream.
    getOut_ = FindDirector(stage, "GetOut");
    getIn_ = FindDirector(stage, "GetIn");
    // Sky and planet are painted into the background, never as pixies.
    if (sky_)
        sky_->SetVisible(false);
    if (planet_)
        planet_->SetVisible(false);
    if (!after_)
        after_ = before_;
    if (playing_)
        playing_->SetLoop(false);
}

VPlanetScene::~VPlanetScene()
{
    UnlistSceneBalloon(balloon_, stage_);
}

void VPlanetScene::Begin()
{
    VStage& stage = ShowStage();
    VSpaceShip& ship = SceneShip(*this);
    VSprite* hero = SceneHero(*this);
    planetX_ = StageWidth(stage) * 0.5f;
    ship.SetScale(1.0f);
    ship.SetVisible(true);
    ship.SetPos(planetX_, -ship.GetShipHeight(), ship.GetZPos());
    talkSequence_ = PrepareHeroSequence(hero, "TALK");
    standSequence_ = PrepareHeroSequence(hero, "STAND");
    VSceneTexts texts = ChooseSceneTexts(*GetComponents(), textIndex_);
    introText_ = texts.intro;
    exitText_ = texts.exit;
    SetState(kArrival);
    Approach(0);
}

void VPlanetScene::ShowSkyItems(VStage& stage)
{
    VScene::ShowSkyItems(stage);
    float width = StageWidth(stage);
    float height = StageHeight(stage);
    VSurface* background = stage.GetBackground();
    if (background && sky_ && sky_->GetWidth() >= 1) {
        float w = sky_->GetWidth();
        float h = sky_->GetHeight();
        double tiles = std::ceil(width / w);
        for (int i = 0; i < tiles; ++i)
            background->Draw(sky_->GetSurface(), 0, 0, w, h, i * w, 0, w, height, false, false);
    }
    if (background && planet_) {
        float w = planet_->GetWidth();
        float h = planet_->GetHeight();
        background->Draw(planet_->GetSurface(), 0, 0, w, h, 0, height - h, width, h, false, false);
    }
    PlaceDirector(after_);
    PlaceDirector(before_);
    PlaceDirector(talking_);
    PlaceDirector(notTalking_);
    PlaceDirector(playing_);
    PlayDirectors(false);
}

void VPlanetScene::PlaceDirector(VDirector* director)
{
    if (!director)
        return;
    VStage& stage = ShowStage();
    float width = StageWidth(stage);
    float height = StageHeight(stage);
    float x = 0, y = 0, z = 0;
    if (director->GetStartPosition("Pijl", x, y, z))
        director->SetPos(width * 0.5f - x, height - 41 - y, -1 - z);
    else
        director->SetPos(width * 0.5f, height - 280, director->GetZPos());
}

void VPlanetScene::PlayDirectors(bool performing)
{
    if (performing) {
        StopDirector(after_, 1);
        StopDirector(before_, 1);
        StartDirector(playing_, 1);
        return;
    }
    StopDirector(playing_, 1);
    if (before_ == after_) {
        StartDirector(before_, 1);
    } else if (state_ < kPerformance) {
        StopDirector(after_);
        StartDirector(before_, 1);
    } else {
        StopDirector(before_);
        StartDirector(after_, 1);
    }
}

void VPlanetScene::StartShipDirector(VDirector* director)
{
    VSpaceShip& ship = SceneShip(*this);
    ship.SetInsideHidden(true);
    if (!director)
        return;
    float x = 0, y = 0, z = 0;
    if (director->GetStartPosition("Ship-Inside", x, y, z))
        director->SetPos(ship.GetXPos() + kInsideDX - x, ship.GetYPos() + kInsideDY - y,
                         ship.GetZPos() + kInsideDZ - z);
    StartDirectorOnce(director);
}

void VPlanetScene::EndShipDirector()
{
    SceneShip(*this).SetInsideHidden(false);
    ComponentRef<VPixie> inside("Ship-Inside");
    inside->SetVisible(false);
}

void VPlanetScene::Approach(float p)
{
    VStage& stage = ShowStage();
    VSpaceShip& ship = SceneShip(*this);
    float landX = planetX_ - 200;
    float landY = StageHeight(stage) - 100;
    if (p <= 0.8f) {
        float s = 1 - p / 0.8f;
        ship.SetGearExtension(0);
        ship.SetFlameAmount(1.0f);
        // Falls fast, then slows down towards the landing point.
        ship.SetPos(landX, s * s * -ship.GetShipHeight() + (1 - s * s) * landY, ship.GetZPos());
    } else if (p <= 0.9f) {
        ship.SetGearExtension((p - 0.8f) / (0.9f - 0.8f));
        ship.SetFlameAmount(0.5f);
        ship.SetPos(landX, landY, ship.GetZPos());
    } else {
        ship.SetFlameAmount((1 - (p - 0.9f) / (1 - 0.8f)) * 0.5f);
        ship.SetGearExtension(1.0f);
        ship.SetPos(landX, landY, ship.GetZPos());
    }
}

void VPlanetScene::PlayEngineSound()
{
    VStage& stage = ShowStage();
    std::string dir = ReadDataDir(stage.GetProgramDirectory());
    std::string engine = ReadControlValue("Engine", "1");
    stage.PlaySound(DataPath(dir, {"Sounds", "motor" + engine}), kSoundAsync);
}

void VPlanetScene::StartTalk(VTextBlock* text)
{
    VSprite* hero = SceneHero(*this);
    // The planet's opening animation ends where the talk begins.
    StopDirector(before_);
    StopDirector(talking_);
    StopDirector(notTalking_);
    float x = hero ? hero->GetXPos() : SceneShip(*this).GetXPos();
    float y = hero ? hero->GetYPos() : SceneShip(*this).GetYPos();
    balloon_->Talk(text->GetLines(), x + 65, y - 5, talking_, notTalking_, talkSequence_,
                   standSequence_);
}

void VPlanetScene::SetState(int state)
{
    VSprite* hero = SceneHero(*this);
    switch (state_) {
    case kGetOut:
    case kGetIn:
        EndShipDirector();
        break;
    case kIntroTalk:
    case kExitTalk:
        StopDirector(talking_);
        StopDirector(notTalking_);
        break;
    case kPerformance:
        PlayDirectors(false);
        if (hero)
            hero->SetVisible(true);
        break;
    default:
        break;
    }
    stateStartTime_ = ShowStage().GetTime();
    state_ = state;
    switch (state) {
    case kArrival:
        engineSoundPlayed_ = false;
        break;
    case kGetOut:
        SceneShip(*this).SetHeroAboard(false);
        StartShipDirector(getOut_);
        break;
    case kIntroTalk:
        if (!introText_)
            SetState(kGetMic);
        else
            StartTalk(introText_);
        break;
    case kGetMic:
        if (hideHero_)
            SetState(kPerformance);
        else
            RunHeroOnce(hero, "getmic");
        break;
    case kPerformance:
        if (hero)
            hero->SetVisible(!hideHero_);
        PlayDirectors(true);
        PlayPlayingSound(*this);
        break;
    case kAwayMic:
        if (hideHero_)
            SetState(kExitTalk);
        else
            RunHeroOnce(hero, "awaymic");
        break;
    case kExitTalk:
        if (!exitText_)
            SetState(kGetIn);
        else
            StartTalk(exitText_);
        break;
    case kGetIn:
        StartShipDirector(getIn_);
        break;
    case kDeparture:
        SceneShip(*this).SetHeroAboard(true);
        PlayEngineSound();
        break;
    default:
        break;
    }
}

void VPlanetScene::OnTick()
{
    double elapsed = ShowStage().GetTime() - stateStartTime_;
    VSprite* hero = SceneHero(*this);
    switch (state_) {
    case kArrival: {
        if (!engineSoundPlayed_) {
            PlayEngineSound();
            engineSoundPlayed_ = true;
        }
        float p = static_cast<float>(std::min(elapsed / kFlightTime, 1.0));
        Approach(p);
        if (p >= 1)
            SetState(kGetOut);
        break;
    }
    case kGetOut:
        if (!IsDirectorRunning(getOut_))
            SetState(kIntroTalk);
        break;
    case kIntroTalk:
        if (balloon_->IsDone())
            SetState(kGetMic);
        break;
    case kGetMic:
        if (!IsHeroBusy(hero))
            SetState(kPerformance);
        break;
    case kPerformance:
        if (!IsDirectorRunning(playing_))
            SetState(kAwayMic);
        break;
    case kAwayMic:
        if (!IsHeroBusy(hero))
            SetState(kExitTalk);
        break;
    case kExitTalk:
        if (balloon_->IsDone())
            SetState(kGetIn);
        break;
    case kGetIn:
        if (!IsDirectorRunning(getIn_)) {
            SetState(kDeparture);
            if (hero)
                hero->SetVisible(false);
        }
        break;
    case kDeparture: {
        float p = static_cast<float>(std::min(elapsed / kFlightTime, 1.0));
        Approach(1 - p);
        if (p >= 1)
            Finish();
        break;
    }
    default:
        break;
    }
}

void VPlanetScene::SetEnabled(bool on)
{
    if (!on) {
        // "After" too: a finished scene leaves no animation of its own running.
        StopDirector(after_);
        StopDirector(before_);
        StopDirector(talking_);
        StopDirector(notTalking_);
        StopDirector(playing_);
    }
    VScene::SetEnabled(on);
}
