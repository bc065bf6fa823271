#pragma once

#include <string>

#include "show/VScene.h"

class VBalloon;
class VDirector;
class VPicture;
class VPixieSequencer;
class VSprite;
class VTextBlock;

// The ship lands on the scene's planet: it comes down from above the stage, the hero climbs
// out, talks, performs with the microphone while the planet plays, talks again, climbs back
// in and the ship leaves upwards. Nine states; arrival and departure take 6 s each on the
// stage clock, every other state waits for an animation to end.
class VPlanetScene : public VScene {
public:
    enum State {
        kArrival = 0,
        kGetOut = 1,
        kIntroTalk = 2,
        kGetMic = 3,
        kPerformance = 4,
        kAwayMic = 5,
        kExitTalk = 6,
        kGetIn = 7,
        kDeparture = 8,
    };
    static constexpr double kFlightTime = 6000.0;

    VPlanetScene(std::string name, VComponentManager* components, VComponent* parent);
    ~VPlanetScene() override;

    std::string GetClassName() const override { return "VPlanetScene"; }

    // Switching off also stops the planet's and the talkers' directors where they stand.
    void SetEnabled(bool on) override;
    void OnTick() override;
    void Begin() override;
    // Paints the sky and the planet into the stage background and starts the planet's
    // first animation.
    void ShowSkyItems(VStage& stage) override;
    bool KeepsSky() const override { return false; }

    void SetState(int state);
    // 0: the ship just above the stage, 1: landed.
    void Approach(float progress);
    void PlayEngineSound();
    void PlayDirectors(bool performing);
    // Lays a director over the ship so that its own picture of the inside covers the ship's.
    void StartShipDirector(VDirector* director);
    void EndShipDirector();
    // Puts a planet director's arrow item at the bottom centre of the stage.
    void PlaceDirector(VDirector* director);

    int GetState() const { return state_; }
    VTextBlock* GetIntroText() const { return introText_; }
    VTextBlock* GetExitText() const { return exitText_; }
    VBalloon* GetBalloon() const { return balloon_; }
    VDirector* GetBefore() const { return before_; }
    VDirector* GetAfter() const { return after_; }
    VDirector* GetPlaying() const { return playing_; }
    VDirector* GetGetOut() const { return getOut_; }
    VDirector* GetGetIn() const { return getIn_; }
    float GetPlanetX() const { return planetX_; }
    bool HidesHero() const { return hideHero_; }

private:
    void StartTalk(VTextBlock* text);

    VPicture* sky_ = nullptr;
    VPicture* planet_ = nullptr;
    VTextBlock* introText_ = nullptr;
    VTextBlock* exitText_ = nullptr;
    VDirector* before_ = nullptr;
    VDirector* after_ = nullptr;
    VDirector* talking_ = nullptr;
    VDirector* notTalking_ = nullptr;
    VDirector* playing_ = nullptr;
    VDirector* getOut_ = nullptr;
    VDirector* getIn_ = nullptr;
    double stateStartTime_ = 0;
    float planetX_ = 0;
    // Owned by the scene, listed on the stage so that it is painted.
    VBalloon* balloon_ = nullptr;
    VPixieSequencer* talkSequence_ = nullptr;
    VPixieSequencer* standSequence_ = nullptr;
    bool hideHero_ = false;
    bool engineSoundPlayed_ = false;
    int textIndex_ = 0;
    int state_ = kArrival;
    VStage* stage_ = nullptr;
};
