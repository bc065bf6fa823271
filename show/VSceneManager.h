#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/stream/VComponentManager.h"
#include "engine/stream/VTimer.h"

class VFloater;
class VPixie;
class VScene;
class VSpaceShip;
class VSprite;

// "DezoRivaduz": owns the scenes and the sky floaters, picks the next scene by weighted
// chance, keeps the ship centred between scenes and now and then lets the hero speak.
class VSceneManager : public VTimer {
public:
    static constexpr double kInterval = 25.0;

    // Enabled, 25 ms, named "DezoRivaduz". `hero` is only kept.
    VSceneManager(VSpaceShip* ship, VPixie* hero, VComponent* parent);
    ~VSceneManager() override;

    std::string GetClassName() const override { return "VSceneManager"; }

    // --- floaters ---
    // Makes as many floaters as the sprite's tag "Frequency" says and puts them into the pool.
    void AddFloater(VSprite* sprite, float weight);
    // AddFloater(sprite, 1) for every sprite of a float library, in component order.
    void AddFloatersFrom(VComponentManager& components);
    // Launches one floater of the pool, chosen by weight; null when the pool is empty.
    VFloater* PickFloater();
    // One tick of flight: move, retire, perhaps launch, perhaps the hero's sound.
    void MoveFloaters();

    // --- scenes ---
    // Loads every "*.VCS" file of `directory` (letter case ignored). A file that cannot be
    // read or has no known "Type" is reported through the stage and skipped.
    void LoadSceneFiles(const std::string& directory);
    // Loads one scene file; throws what reading or an unknown type raises.
    void LoadSceneFile(const std::string& path, const std::string& fileName);
    // Loads the scene file `fileName` of `directory`; one that cannot be read or has no known
    // "Type" is reported through the stage and skipped (false).
    bool AddSceneFile(const std::string& directory, const std::string& fileName);
    // Appends a made scene to the choice (the loader's last step).
    void AddScene(VScene* scene);
    // The first start after set-up: scatter the floaters, then run.
    void StartShow();
    void OnTick() override;
    void OnTimer();
    void StartNextScene();
    // The scene that the next choice takes instead of drawing one; null draws as usual.
    void SetNextScene(VScene* scene) { nextScene_ = scene; }
    VScene* GetNextScene() const { return nextScene_; }
    void SceneEnded(VScene* scene);
    void CentreShip();
    void SetFloatersActive(bool on);
    // The random hero sound: rarely plays "zibo1" to "zibo10" from the sounds directory.
    void MaybePlayHeroSound();

    VSpaceShip* GetShip() const { return ship_; }
    VPixie* GetHero() const { return hero_; }
    VScene* GetCurrentScene() const { return currentScene_; }
    bool AreFloatersActive() const { return floatersActive_; }
    const std::vector<VScene*>& GetScenes() const { return scenes_; }
    const std::vector<VComponentManager*>& GetFloatLibraries() const { return floatLibraries_; }
    const std::vector<VFloater*>& GetActiveFloaters() const { return activeFloaters_; }
    const std::vector<VFloater*>& GetFloaterPool() const { return floaterPool_; }

protected:
    // A scene or a float library that goes away leaves the manager's lists at once.
    void OwnedComponentGone(VComponent* component) override;

private:
    void ScatterFloaters();
    void Retire(std::size_t index);

    bool floatersActive_ = false;
    VSpaceShip* ship_;
    VPixie* hero_;
    VScene* currentScene_ = nullptr;
    VScene* nextScene_ = nullptr;
    std::vector<VScene*> scenes_;
    std::vector<VComponentManager*> floatLibraries_;
    std::vector<VFloater*> activeFloaters_;
    std::vector<VFloater*> floaterPool_;
    // Scenes and file component managers are owned through the component tree; the floaters,
    // plain objects, are owned here.
    std::vector<std::unique_ptr<VFloater>> floaters_;
};
