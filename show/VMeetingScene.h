#pragma once

#include <string>

#include "show/VScene.h"

class VBalloon;
class VDirector;
class VPixie;
class VPixieSequencer;
class VTextBlock;

// A visitor meets the ship over the running sky: it flies in from the left to the ship, the
// two talk in a speech balloon, the visitor performs, a closing text is spoken and the
// visitor flies off to the right. The scene manager stands still while they talk.
class VMeetingScene : public VScene {
public:
    enum State {
        kIdle = 0,
        kFlyIn = 1,
        kIntroTalk = 2,
        kPerformance = 3,
        kExitTalk = 4,
        kFlyOut = 5,
    };

    VMeetingScene(std::string name, VComponentManager* components, VComponent* parent);
    ~VMeetingScene() override;

    std::string GetClassName() const override { return "VMeetingScene"; }

    // Switching off also stops every director of the scene where it stands.
    void SetEnabled(bool on) override;
    void OnTick() override;
    void Begin() override;
    // The sky stays as it is.
    void ShowSkyItems(VStage& stage) override {}

    void SetState(int state);
    // 0: the visitor to the left edge; 1: one step in, false once arrived; 2: one step out,
    // false once past the right edge.
    bool Fly(int phase);

    int GetState() const { return state_; }
    VTextBlock* GetIntroText() const { return introText_; }
    VTextBlock* GetExitText() const { return exitText_; }
    VBalloon* GetBalloon() const { return balloon_; }
    VDirector* GetMoveIn() const { return moveIn_; }
    VDirector* GetMoveOut() const { return moveOut_; }
    VDirector* GetPlaying() const { return playing_; }
    float GetSpeed() const { return speed_; }
    bool IsInside() const { return inside_; }
    bool MirrorsHero() const { return mirrorHero_; }

private:
    void StartTalk(VTextBlock* text);
    void SetManagerRunning(bool on);

    VTextBlock* introText_ = nullptr;
    VTextBlock* exitText_ = nullptr;
    VDirector* moveIn_ = nullptr;
    VDirector* talking_ = nullptr;
    VDirector* notTalking_ = nullptr;
    VDirector* playing_ = nullptr;
    VDirector* moveOut_ = nullptr;
    VDirector* mover_ = nullptr;
    double stateStartTime_ = 0;
    float offsetX_ = 0;
    float offsetY_ = 0;
    float offsetZ_ = 100;
    VPixie* ziboFigure_ = nullptr;
    float speed_ = 10;
    // Owned by the scene, listed on the stage so that it is painted.
    VBalloon* balloon_ = nullptr;
    VPixieSequencer* talkSequence_ = nullptr;
    VPixieSequencer* listenSequence_ = nullptr;
    bool inside_ = false;
    bool mirrorHero_ = false;
    int textIndex_ = 0;
    int state_ = kIdle;
    VStage* stage_ = nullptr;
};
