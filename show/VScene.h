#pragma once

#include <memory>
#include <string>

#include "engine/stream/VComponentManager.h"
#include "engine/stream/VTimer.h"

class VSceneManager;
class VStage;

// One scene file made playable: a timer that steps its own state machine while it runs.
// The scene kinds derive from it, set up their first state in Begin and override OnTick
// with their per-tick step.
class VScene : public VTimer {
public:
    // Disabled, 25 ms. Sky items of `components` are scaled from the 800 x 600 design stage
    // to the current stage.
    VScene(std::string name, VComponentManager* components, VComponent* parent);
    ~VScene() override;

    std::string GetClassName() const override { return "VScene"; }

    // Called by the manager: components onto the stage, timer on, Begin, and for a scene with
    // a sky of its own the floaters off and the sky shown.
    void Start(VSceneManager* manager);
    // Called by the scene itself when its last state is over.
    void Finish();

    // Brings the scene back to its first state; a scene is reused every time it is chosen.
    virtual void Begin() = 0;
    // Shows every pixie of the file whose tag "SkyItem" is true.
    virtual void ShowSkyItems(VStage& stage);
    // True when the scene plays over the running sky (floaters fly on, the ship stays).
    virtual bool KeepsSky() const { return true; }

    // Between Start and Finish.
    bool IsRunning() const { return running_; }
    // While Start runs the scene's Begin: a scene that finishes then has shown nothing.
    bool IsBeginning() const { return beginning_; }
    VSceneManager* GetManager() const { return manager_; }
    VComponentManager* GetComponents() const { return components_; }
    const std::string& GetPreferredNextScene() const { return preferredNextScene_; }
    void SetPreferredNextScene(std::string name) { preferredNextScene_ = std::move(name); }
    float GetSceneWeight() const { return sceneWeight_; }
    void SetSceneWeight(float weight) { sceneWeight_ = weight; }
    float GetBaseFrequency() const { return baseFrequency_; }
    void SetBaseFrequency(float frequency) { baseFrequency_ = frequency; }

    // A pixie with the tag "SkyItem" set to true.
    static bool IsSkyItem(const VComponent& component);

private:
    VSceneManager* manager_ = nullptr;
    VComponentManager* components_;
    bool running_ = false;
    bool beginning_ = false;
    std::string preferredNextScene_;
    float sceneWeight_ = 0;
    float baseFrequency_ = 0;
};
